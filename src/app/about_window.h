#pragma once

#include <QWidget>

// The about window: program name, purpose and version.
class TAboutMe : public QWidget
{
    Q_OBJECT
public:
    explicit TAboutMe(QWidget *parent = nullptr);
};
