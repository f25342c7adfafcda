#pragma once

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <memory>

#include "shell/window/RegistryStandIn.h"
#include "common/ClassicTypes.h"

class QIcon;
class QLabel;
class QPushButton;

namespace tavelo {

class MessageSink;
class ProgramLauncher;

// The About box: the program's title, version and copyright line, an OK button and a button
// that starts a system-information program. Shown modeless, one box at a time (showSingle).
// Its client area and controls are placed in twips, 15 to the pixel.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // The box with the program's own services: an empty registry (Linux has none) and the
    // system's PATH and process start.
    frmAbout(MessageSink& messages, const QIcon& icon, QWidget* parent = nullptr);
    // The box with the registry and the launcher given; both must outlive it.
    frmAbout(MessageSink& messages, RegistryStandIn& registry, ProgramLauncher& launcher,
             const QIcon& icon, QWidget* parent = nullptr);
    ~frmAbout() override;

    // Shows the box kept in `box`, making it when there is none (it deletes itself when
    // closed, which empties `box`). Choosing the command again while the box is open brings
    // the same box forward instead of opening a second one.
    static frmAbout& showSingle(QPointer<frmAbout>& box, MessageSink& messages, const QIcon& icon,
                                QWidget* owner);

    // Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` into `KeyVal`: the
    // text of a REG_SZ value, the decimal text of a REG_DWORD value; any other type leaves
    // `KeyVal` as it was. False, with `KeyVal` emptied, when the key or the value is missing.
    [[nodiscard]] bool GetKeyValue(RegistryStandIn::Handle KeyRoot, const String& KeyName,
                                   const String& SubKeyRef, String& KeyVal);

    // Starts a system-information program: the one the registry names, else one of the usual
    // Linux programs found on PATH. When none can be started, says so through the sink.
    void StartSysInfo();

    // The Linux programs tried, in order, when the registry names none.
    [[nodiscard]] static QStringList linuxSysInfoPrograms();

    [[nodiscard]] static constexpr int twipsToPixels(int twips) { return twips / kTwipsPerPixel; }

private:
    static constexpr int kTwipsPerPixel = 15;

    void createControls(const QIcon& icon);
    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    MessageSink& messages_;
    std::unique_ptr<RegistryStandIn> ownRegistry_;
    std::unique_ptr<ProgramLauncher> ownLauncher_;
    RegistryStandIn& registry_;
    ProgramLauncher& launcher_;

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace tavelo
