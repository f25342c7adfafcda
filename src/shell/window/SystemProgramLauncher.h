#pragma once

#include "shell/window/ProgramLauncher.h"

namespace tavelo {

// The real launcher: looks programs up on PATH and starts them as processes of their own.
class SystemProgramLauncher : public ProgramLauncher {
public:
    [[nodiscard]] QString findExecutable(const QString& name) const override;
    [[nodiscard]] bool startDetached(const QString& program) override;
};

}  // namespace tavelo
