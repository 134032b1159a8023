#include "report/print_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

std::optional<PrintChoice> AskPrintChoice(QWidget *parent, const QList<PrinterQueue> &queues)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("พิมพ์"));
    auto *printer = new QComboBox(&dialog);
    for (const PrinterQueue &queue : queues) {
        const QString text = queue.description == queue.name
                                 ? queue.name
                                 : QStringLiteral("%1 (%2)").arg(queue.description, queue.name);
        printer->addItem(text, queue.name);
        if (queue.isDefault)
            printer->setCurrentIndex(printer->count() - 1);
    }
    auto *copies = new QSpinBox(&dialog);
    copies->setRange(1, 999);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("พิมพ์"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ยกเลิก"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("เครื่องพิมพ์"), printer);
    layout->addRow(QStringLiteral("จำนวนชุด"), copies);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted || printer->currentIndex() < 0)
        return std::nullopt;
    return PrintChoice{printer->currentData().toString(), copies->value()};
}
