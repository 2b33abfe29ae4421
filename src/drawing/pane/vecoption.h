#pragma once

#include <QWidget>

#include <array>

class QRadioButton;

// "Graphic Selection": which side the insole panes show, "BOTH", "LEFT" or
// "RIGHT". It comes up on GraphicSelection; "Accept" takes the option chosen
// (none chosen leaves the selection as it is) and closes, "Quit" closes.
class VecOption : public QWidget
{
    Q_OBJECT
public:
    explicit VecOption(QWidget *parent = nullptr);

    void Accept();

private:
    std::array<QRadioButton *, 3> m_options{}; // "BOTH", "LEFT", "RIGHT"
};
