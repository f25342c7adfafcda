#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "shell/window/ProgramLauncher.h"

namespace tavelo {

// A launcher that starts nothing: PATH holds the programs given to it, and every lookup and
// start is recorded. Starting succeeds unless told otherwise.
class FakeProgramLauncher : public ProgramLauncher {
public:
    void putOnPath(const QString& name, const QString& fullPath) { path_.insert(name, fullPath); }
    void failStarts() { startsSucceed_ = false; }

    [[nodiscard]] QString findExecutable(const QString& name) const override {
        lookups_.append(name);
        return path_.value(name);
    }
    [[nodiscard]] bool startDetached(const QString& program) override {
        started_.append(program);
        return startsSucceed_;
    }

    [[nodiscard]] const QStringList& lookups() const { return lookups_; }
    [[nodiscard]] const QStringList& started() const { return started_; }

private:
    QMap<QString, QString> path_;
    bool startsSucceed_ = true;
    mutable QStringList lookups_;
    QStringList started_;
};

}  // namespace tavelo
