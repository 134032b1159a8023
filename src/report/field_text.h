#pragma once

#include <QString>
#include <QVariant>

// The text a data field prints for a value. Numbers use the mask when there is one and the
// general format otherwise; a text that reads as a number is masked too when a mask is given
// (codes and other texts without a mask print exactly as stored); a null value prints nothing.
QString FieldText(const QVariant &value, const QString &mask);
