#pragma once

#include <QString>

namespace tavelo {

// Finding and starting another program, kept behind an interface so that the About box's
// system-information command can be tested without starting anything.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    // The full path of the program `name` found on PATH, or an empty string.
    [[nodiscard]] virtual QString findExecutable(const QString& name) const = 0;

    // Starts `program` on its own, not waiting for it. False when it could not be started.
    [[nodiscard]] virtual bool startDetached(const QString& program) = 0;
};

}  // namespace tavelo
