#include "shell/window/frmAbout.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "shell/window/ApplicationInfo.h"
#include "shell/window/MemoryRegistry.h"
#include "shell/window/SystemProgramLauncher.h"
#include "common/CodePage932.h"
#include "common/MessageSink.h"

namespace tavelo {
namespace {

// Where Windows records its system-information program.
constexpr char16_t kKeySysInfo[] = u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char16_t kValSysInfo[] = u"PATH";
constexpr char16_t kKeySysInfoLoc[] = u"SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char16_t kValSysInfoLoc[] = u"MSINFO";
constexpr char16_t kSysInfoProgram[] = u"MSINFO32.EXE";

constexpr Long kValueBufferSize = 1024;

QRect twipsRect(int left, int top, int width, int height) {
    return {frmAbout::twipsToPixels(left), frmAbout::twipsToPixels(top),
            frmAbout::twipsToPixels(width), frmAbout::twipsToPixels(height)};
}

QString toQString(const String& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

String fromQString(const QString& text) {
    return text.toStdU16String();
}

// The registry's ANSI text is code page 932, the code page of the program's documents.
String decodeAnsi(const std::vector<Byte>& bytes) {
    String text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (CodePage932::isLeadByte(bytes[i]) && i + 1 < bytes.size()) {
            text += CodePage932::decodePair(bytes[i], bytes[i + 1]);
            ++i;
        } else {
            text += CodePage932::decodeSingle(bytes[i]);
        }
    }
    return text;
}

// A REG_DWORD holds its four bytes least significant first. The value is the number they
// make, in decimal: reading the bytes as text and writing each one's code in unpadded hex
// would turn 0x0000010A into 0x1A, and cutting a "final NUL" would drop a zero high byte.
String dwordText(const std::vector<Byte>& bytes) {
    std::uint32_t value = 0;
    const std::size_t count = std::min<std::size_t>(bytes.size(), 4);
    for (std::size_t i = count; i > 0; --i) value = (value << 8) | bytes[i - 1];
    return fromQString(QString::number(value));
}

}  // namespace

frmAbout::frmAbout(MessageSink& messages, const QIcon& icon, QWidget* parent)
    : QDialog(parent),
      messages_(messages),
      ownRegistry_(std::make_unique<MemoryRegistry>()),
      ownLauncher_(std::make_unique<SystemProgramLauncher>()),
      registry_(*ownRegistry_),
      launcher_(*ownLauncher_) {
    createControls(icon);
    Form_Load();
}

frmAbout::frmAbout(MessageSink& messages, RegistryStandIn& registry, ProgramLauncher& launcher,
                   const QIcon& icon, QWidget* parent)
    : QDialog(parent), messages_(messages), registry_(registry), launcher_(launcher) {
    createControls(icon);
    Form_Load();
}

frmAbout::~frmAbout() = default;

frmAbout& frmAbout::showSingle(QPointer<frmAbout>& box, MessageSink& messages, const QIcon& icon,
                               QWidget* owner) {
    if (box.isNull()) {
        box = new frmAbout(messages, icon, owner);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->show();
    box->raise();
    box->activateWindow();
    return *box;
}

void frmAbout::createControls(const QIcon& icon) {
    // The caption the box has until it is loaded.
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(icon);
    setModal(false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    // The main window's Gothic face; its half-width katakana fit the classic label sizes.
    setFont(QFont(QStringLiteral("IPAGothic"), 9));
    setFixedSize(twipsToPixels(4125), twipsToPixels(1680));

    auto makeLabel = [this](const QString& name, const QRect& rect) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setGeometry(rect);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    lblTitle = makeLabel(QStringLiteral("lblTitle"), twipsRect(120, 240, 2325, 480));
    // The title in the proportional Gothic face: the fixed pitch spaces its letters apart.
    QFont titleFont(QStringLiteral("IPAPGothic"), 16);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = makeLabel(QStringLiteral("lblVersion"), twipsRect(120, 780, 2205, 225));
    lblDisclaimer = makeLabel(QStringLiteral("lblDisclaimer"), twipsRect(120, 1200, 2415, 300));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(2640, 600, 1380, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(2640, 1200, 1380, 345));
    cmdSysInfo->setAutoDefault(false);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    cmdOK->setFocus();
}

void frmAbout::Form_Load() {
    setWindowTitle(ApplicationInfo::title() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    lblVersion->setText(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3")
                            .arg(ApplicationInfo::major())
                            .arg(ApplicationInfo::minor())
                            .arg(ApplicationInfo::revision()));
    lblTitle->setText(ApplicationInfo::title());
    lblDisclaimer->setText(QStringLiteral("© 2026 Tavelo 開発者"));
}

// Enter and Esc end here as well: the button is the default button, and the dialog's own
// Esc handling rejects, which closes the box just the same.
void frmAbout::cmdOK_Click() {
    accept();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

bool frmAbout::GetKeyValue(RegistryStandIn::Handle KeyRoot, const String& KeyName,
                           const String& SubKeyRef, String& KeyVal) {
    RegistryStandIn::Handle hKey = 0;
    if (registry_.RegOpenKeyExA(KeyRoot, CodePage932::encode(KeyName), 0,
                                RegistryStandIn::KEY_ALL_ACCESS,
                                hKey) != RegistryStandIn::ERROR_SUCCESS) {
        KeyVal.clear();
        return false;
    }

    std::vector<Byte> tmpVal(kValueBufferSize, 0);
    Long KeyValSize = kValueBufferSize;
    Long KeyValType = RegistryStandIn::REG_NONE;
    const Long rc = registry_.RegQueryValueExA(hKey, CodePage932::encode(SubKeyRef), KeyValType,
                                               tmpVal, KeyValSize);
    if (rc != RegistryStandIn::ERROR_SUCCESS) {
        KeyVal.clear();
        registry_.RegCloseKey(hKey);
        return false;
    }

    tmpVal.resize(static_cast<std::size_t>(std::clamp<Long>(KeyValSize, 0, kValueBufferSize)));
    switch (KeyValType) {
        case RegistryStandIn::REG_SZ:
            if (!tmpVal.empty() && tmpVal.back() == 0) tmpVal.pop_back();
            KeyVal = decodeAnsi(tmpVal);
            break;
        case RegistryStandIn::REG_DWORD:
            KeyVal = dwordText(tmpVal);
            break;
        default:
            break;
    }
    registry_.RegCloseKey(hKey);
    return true;
}

QStringList frmAbout::linuxSysInfoPrograms() {
    // Hardware and system overviews first, then the desktops' own information centres and
    // system monitors, which show the same at least in part.
    return {QStringLiteral("hardinfo2"),           QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),         QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("lshw-gtk")};
}

void frmAbout::StartSysInfo() {
    String SysInfoPath;
    QString program;
    if (GetKeyValue(RegistryStandIn::HKEY_LOCAL_MACHINE, kKeySysInfo, kValSysInfo, SysInfoPath)) {
        program = toQString(SysInfoPath);
    } else if (GetKeyValue(RegistryStandIn::HKEY_LOCAL_MACHINE, kKeySysInfoLoc, kValSysInfoLoc,
                           SysInfoPath)) {
        const QString candidate = QDir(toQString(SysInfoPath)).filePath(toQString(kSysInfoProgram));
        if (QFileInfo::exists(candidate)) program = candidate;
    }
    if (program.isEmpty()) {
        // No registry (Linux) or nothing usable in it: the usual programs on PATH.
        for (const QString& name : linuxSysInfoPrograms()) {
            program = launcher_.findExecutable(name);
            if (!program.isEmpty()) break;
        }
    }
    if (program.isEmpty() || !launcher_.startDetached(program)) {
        messages_.showMessage(u"現時点ではｼｽﾃﾑ情報を使用できません");
    }
}

}  // namespace tavelo
