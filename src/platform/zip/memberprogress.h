#pragma once

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

// How far each member of an archive step has come. Worker threads report
// shares; the calling thread tells the user, through `status`, the first
// member not yet done (in the order given) and its share: the prefix, the
// member's name, a blank and the percentage ("Creating Zip File: " gives
// "Creating Zip File: Lee_Ann_L.Wrl 40%"). A member's "100%" is told once it
// is done and only after every member before it, so the texts never go back.
class MemberProgress
{
public:
    MemberProgress(const QString &prefix, const QStringList &names, std::function<void(const QString &)> status);

    // Any thread: a share of member `i` (0 to 1; shown as at most 99%), or the member done.
    void share(qsizetype i, double fraction);
    void done(qsizetype i);

    // The calling thread: tells what changed since the last call.
    void tell();

private:
    QString m_prefix;
    QStringList m_names;
    std::function<void(const QString &)> m_status;
    std::unique_ptr<std::atomic<int>[]> m_percent;
    qsizetype m_next = 0;
    QString m_last;
};
