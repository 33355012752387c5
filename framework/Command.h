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

/// Adds one named element; the element is not owned.
template <class T>
class AddCommand : public Command<T> {
public:
    AddCommand(const std::string& name, T* element) : name(name), element(element) {}
    void execute(ActivityMap<T>& target) override { target.add(name, element); }

private:
    std::string name;
    T* element;
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
