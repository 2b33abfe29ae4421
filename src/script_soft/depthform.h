#pragma once

#include <QDialog>
#include <QString>

#include <optional>

// "Extra Heel Depth": which side of the heel an extra depth is for. Each
// showing starts on "Lateral"; "CLOSE" takes the chosen side, while the
// close box or Esc leaves everything as it was.
class DepthForm : public QDialog
{
    Q_OBJECT
public:
    explicit DepthForm(QWidget *parent = nullptr);

    // The side letter of the last "CLOSE" ("L", "M", "B"), kept for the run.
    static QString HeelDepthSide;

    // Shows the dialog modally; the side letter after "CLOSE", or nothing
    // when it was closed any other way.
    static std::optional<QString> Ask_Side(QWidget *over);

private:
    void closeWithChoice();
};
