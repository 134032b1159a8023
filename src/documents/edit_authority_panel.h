#pragma once

#include <QFrame>

class EnterMovesFocus;
class StockDocumentStore;
class QLabel;
class QLineEdit;
class QPushButton;

// The panel that asks for the name and password of a user of level 1, 2 or 3 before lines may be
// corrected or deleted, and that ends that authority again.
class EditAuthorityPanel : public QFrame
{
    Q_OBJECT
public:
    // Checks the accounts on the store's connection.
    EditAuthorityPanel(StockDocumentStore *store, QWidget *parent);

    // Shows the panel with empty boxes, the focus on the user name.
    void open();

public slots:
    void GrantClick();
    void EndClick();
    void QuitClick();

signals:
    void authorityChanged(bool granted);

private:
    void showBoxes(bool shown);

    StockDocumentStore *m_store;
    QLabel *m_userCaption = nullptr;
    QLineEdit *m_user = nullptr;
    QLabel *m_passwordCaption = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_grant = nullptr;
    QPushButton *m_end = nullptr;
    QPushButton *m_quit = nullptr;
    EnterMovesFocus *m_enter = nullptr;
};
