#pragma once

#include <QObject>

// What the GUI-free procedures tell the windows that mirror the job state.
class JobEvents : public QObject
{
    Q_OBJECT
public:
    static JobEvents &instance();

signals:
    // A record was read: the size lists of the main and soft windows take
    // FootSizeL and FootSizeR as their texts.
    void footSizesRead();

private:
    JobEvents() = default;
};
