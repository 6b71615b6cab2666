#pragma once
#include "BusyCursor.h"
#include <QPointer>
#include <QWidget>
#include <concepts>
#include <map>
#include <typeindex>

// The windows of the program are created the first time they are opened and kept until the
// program ends. The registry belongs to the main window, which owns the windows:
//
//     TFrmAgenti& TFrmMain::FrmAgenti()
//     {
//         return windows.get<TFrmAgenti>([this](QWidget* owner) { return new TFrmAgenti(*dm, owner); });
//     }
class WindowRegistry
{
public:
    explicit WindowRegistry(QWidget* owner) : owner(owner) {}
    ~WindowRegistry()
    {
        // Windows without a parent have no one else to delete them.
        for (auto& [type, w] : windows)
            if (w && !w->parent())
                delete w.data();
    }
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    // The window of type T, made by factory(owner) on first use with the hourglass shown.
    template <class T, class Factory>
        requires std::invocable<Factory, QWidget*>
    T& get(Factory&& factory)
    {
        QPointer<QWidget>& slot = windows[std::type_index(typeid(T))];
        if (!slot) {
            BusyCursor busy;
            slot = static_cast<QWidget*>(factory(owner));
        }
        return static_cast<T&>(*slot);
    }

    // The window of type T when it has been created, else nullptr.
    template <class T>
    T* find() const
    {
        auto it = windows.find(std::type_index(typeid(T)));
        return it == windows.end() ? nullptr : static_cast<T*>(it->second.data());
    }

private:
    QWidget* owner;
    std::map<std::type_index, QPointer<QWidget>> windows;
};
