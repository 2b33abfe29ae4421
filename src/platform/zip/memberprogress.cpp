#include "memberprogress.h"

#include <algorithm>

MemberProgress::MemberProgress(const QString &prefix, const QStringList &names,
                               std::function<void(const QString &)> status)
    : m_prefix(prefix),
      m_names(names),
      m_status(std::move(status)),
      m_percent(std::make_unique<std::atomic<int>[]>(static_cast<std::size_t>(names.size())))
{
    for (qsizetype i = 0; i < names.size(); ++i)
        m_percent[static_cast<std::size_t>(i)] = 0;
}

void MemberProgress::share(qsizetype i, double fraction)
{
    const int percent = std::clamp(static_cast<int>(fraction * 100), 0, 99);
    std::atomic<int> &slot = m_percent[static_cast<std::size_t>(i)];
    int seen = slot.load();
    while (seen < percent && !slot.compare_exchange_weak(seen, percent)) {}
}

void MemberProgress::done(qsizetype i)
{
    m_percent[static_cast<std::size_t>(i)] = 100;
}

void MemberProgress::tell()
{
    if (!m_status)
        return;
    while (m_next < m_names.size()) {
        const int percent = m_percent[static_cast<std::size_t>(m_next)].load();
        const QString text = m_prefix + m_names.at(m_next) + u' ' + QString::number(percent) + u'%';
        if (text != m_last) {
            m_last = text;
            m_status(text);
        }
        if (percent < 100)
            return;
        ++m_next;
    }
}
