#pragma once

#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "framework/Command.h"

namespace kiln {

/// First-in, first-out changes to an ActivityMap, with the names whose
/// addition is pending so that one dispatch cannot add a name twice.
template <class T>
class CommandQueue {
public:
    CommandQueue() = default;
    ~CommandQueue() { clear(); }
    CommandQueue(const CommandQueue&) = delete;
    CommandQueue& operator=(const CommandQueue&) = delete;

    /// Takes ownership of the command.
    void push(Command<T>* command) { commands.push_back(command); }

    /// Throws std::invalid_argument when the name is already pending.
    void reserveName(const std::string& name, T* element) {
        if (!pending.emplace(name, element).second) {
            throw std::invalid_argument("[kiln::CommandQueue] element '" + name + "' already exists.");
        }
    }

    /// Runs and deletes every command in order, then forgets the pending names.
    void execute(ActivityMap<T>& target) {
        while (!commands.empty()) {
            // Taken off the queue first, so a command that throws is still deleted.
            std::unique_ptr<Command<T>> command(commands.front());
            commands.pop_front();
            command->execute(target);
        }
        pending.clear();
    }

    /// Deletes every command without running it.
    void clear() {
        for (Command<T>* command : commands) delete command;
        commands.clear();
        pending.clear();
    }

    std::size_t size() const { return commands.size(); }

private:
    std::deque<Command<T>*> commands;
    std::map<std::string, T*> pending;
};

}  // namespace kiln
