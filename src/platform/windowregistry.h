#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

// Every window of the program comes from here. A window is created on first
// use, and creating it runs its load (its constructor); it counts as loaded
// until it is unloaded or deleted. Windows are found by their names
// ("ScriptForm1", "Form1"), which are also their objectNames.
class WindowRegistry
{
public:
    using Factory = std::function<QWidget *()>;

    static WindowRegistry &instance();

    // An empty factory unregisters the name.
    void registerFactory(const QString &name, Factory factory);
    bool hasFactory(const QString &name) const;

    // The window, created (and so loaded) when it is not loaded yet; null
    // when no factory is known for the name.
    QWidget *window(const QString &name);

    template <typename T>
    T *get(const QString &name)
    {
        return qobject_cast<T *>(window(name));
    }

    // Brings the window to the front, creating (and so loading) it on first
    // use, and returns it (null when its factory declined). Every window the
    // program opens is registered when its parts are joined, so a name
    // without a factory is raised as a missing hook (Missing_Hook).
    QWidget *show(const QString &name);

    // The window only when it is loaded already; never creates it.
    QWidget *loaded(const QString &name) const;
    bool isLoaded(const QString &name) const { return loaded(name) != nullptr; }

    // Closes and destroys a loaded window (its own unload handling runs);
    // does nothing for one that is not loaded.
    void unload(const QString &name);

    // The windows shut-down unloads, in their order.
    static const QStringList &unloadOrder();

    // Unloads the windows of unloadOrder() that are loaded, one after another.
    void Unload_All();

    // Forgets every factory and window (tests).
    void reset();

private:
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_windows;
};

inline WindowRegistry &Windows()
{
    return WindowRegistry::instance();
}

// Shows a window without blocking and brings it to the front.
void Bring_To_Front(QWidget *window);
