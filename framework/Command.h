#pragma once

#include <string>

namespace kiln {

template <class T>
class ActivityMap;

/// A change to an ActivityMap, queued while the map is locked by a dispatch.
template <class T>
class Command {
public:
    virtual ~Command() = default;
    virtual void execute(ActivityMap<T>& target) = 0;
};

/// Adds one named element. Without a discard function the element is not
/// owned; with one it is handed over, and discarded if the addition fails or
/// the command is deleted without running.
template <class T>
class AddCommand : public Command<T> {
public:
    using Discard = void (*)(T*);

    AddCommand(const std::string& name, T* element, Discard discard = nullptr)
        : name(name), element(element), discard(discard) {}
    ~AddCommand() override {
        if (element != nullptr && discard != nullptr) discard(element);
    }
    void execute(ActivityMap<T>& target) override {
        T* handedOver = element;
        element = nullptr;  // the map keeps it or discards it
        target.add(name, handedOver, discard);
    }

private:
    std::string name;
    T* element;
    Discard discard;
};

/// Forgets every element without deleting it.
template <class T>
class RemoveAllCommand : public Command<T> {
public:
    void execute(ActivityMap<T>& target) override { target.removeAll(); }
};

/// Deletes every element, then forgets them.
template <class T>
class DestroyAllCommand : public Command<T> {
public:
    void execute(ActivityMap<T>& target) override { target.destroyAll(); }
};

}  // namespace kiln
