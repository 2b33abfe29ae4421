#include "windowregistry.h"

#include "programhooks.h"

WindowRegistry &WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::registerFactory(const QString &name, Factory factory)
{
    if (factory)
        m_factories.insert(name, std::move(factory));
    else
        m_factories.remove(name);
}

bool WindowRegistry::hasFactory(const QString &name) const
{
    return m_factories.contains(name);
}

QWidget *WindowRegistry::loaded(const QString &name) const
{
    return m_windows.value(name).data();
}

QWidget *WindowRegistry::window(const QString &name)
{
    if (QWidget *existing = loaded(name))
        return existing;
    const auto factory = m_factories.constFind(name);
    if (factory == m_factories.constEnd())
        return nullptr;
    // Record the window before its load finishes is impossible here: the
    // factory runs the whole load, so a window that asks for itself while
    // loading would be created twice. Windows must not do that.
    QWidget *created = (*factory)();
    if (created) {
        if (created->objectName().isEmpty())
            created->setObjectName(name);
        m_windows.insert(name, created);
    }
    return created;
}

QWidget *WindowRegistry::show(const QString &name)
{
    if (!hasFactory(name))
        Missing_Hook(QStringLiteral("the window \"%1\"").arg(name));
    // A factory may decline (a tool window whose drawing is not open says
    // so itself and makes nothing).
    QWidget *shown = window(name);
    Bring_To_Front(shown);
    return shown;
}

void Bring_To_Front(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

void WindowRegistry::unload(const QString &name)
{
    QPointer<QWidget> window = m_windows.take(name);
    if (!window)
        return;
    window->close();
    delete window.data();
}

const QStringList &WindowRegistry::unloadOrder()
{
    static const QStringList order = {
        QStringLiteral("AboutForm"),   QStringLiteral("BlockForm1"),   QStringLiteral("BlockForm2"),
        QStringLiteral("Brighten"),    QStringLiteral("Browser"),      QStringLiteral("DepthForm"),
        QStringLiteral("DistForm"),    QStringLiteral("dlgNumInput"),  QStringLiteral("dlgStdInput"),
        QStringLiteral("FootSize"),    QStringLiteral("Form1"),        QStringLiteral("Form2"),
        QStringLiteral("GraphicForm"), QStringLiteral("GraphicForm2"), QStringLiteral("GridForm1"),
        QStringLiteral("GridForm2"),   QStringLiteral("Help1"),        QStringLiteral("OptionForm"),
        QStringLiteral("PdfForm"),     QStringLiteral("ScaleForm"),    QStringLiteral("ScaleForm2"),
        QStringLiteral("ScanForm"),    QStringLiteral("ScriptForm1"),  QStringLiteral("VecOption"),
        QStringLiteral("VCdrawForm"),  QStringLiteral("VCeditForm"),   QStringLiteral("VCfilesForm"),
        QStringLiteral("VCinfoForm"),  QStringLiteral("VCsizeForm"),   QStringLiteral("VCutilForm"),
        QStringLiteral("VCviewForm"),
    };
    return order;
}

void WindowRegistry::Unload_All()
{
    for (const QString &name : unloadOrder())
        unload(name);
}

void WindowRegistry::reset()
{
    const auto names = m_windows.keys();
    for (const QString &name : names)
        unload(name);
    m_factories.clear();
}
