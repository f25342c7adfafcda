#include "shell/print/PageSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

namespace tavelo {
namespace {

// The layouts in the order the list offers them: the presets of the manuscript pages, then
// the screen's pages.
constexpr int kScreenIndex = 5;
// The preview shows an A4 landscape page about 420 pixels wide.
constexpr double kPreviewPixelsPerPoint = 0.5;

}  // namespace

PageSetupDialog::PageSetupDialog(const CViewData& view, const CEisuuCyotai& fonts, QWidget* parent)
    : PageSetupDialog(PrintPreview::of(view, fonts), parent) {}

PageSetupDialog::PageSetupDialog(PrintPreview document, QWidget* parent)
    : QDialog(parent),
      document_(std::move(document)),
      layouts_(new QComboBox(this)),
      characters_(new QSpinBox(this)),
      columns_(new QSpinBox(this)),
      papers_(new QComboBox(this)),
      orientations_(new QComboBox(this)),
      fontSize_(new QDoubleSpinBox(this)),
      title_(new QCheckBox(document_.titleCaption, this)),
      grid_(new QLabel(this)),
      reason_(new QLabel(this)),
      length_(new QLabel(this)),
      previewLabel_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("ページの設定"));
    layouts_->addItems({QStringLiteral("40字×30行"), QStringLiteral("30字×40行"),
                        QStringLiteral("20字×20行"), QStringLiteral("入るだけ（文字の大きさから）"),
                        QStringLiteral("字数と行数を指定"), QStringLiteral("画面のとおり")});
    for (QSpinBox* box : {characters_, columns_}) box->setRange(0, 999);
    papers_->addItems(
        {QStringLiteral("A4"), QStringLiteral("B5"), QStringLiteral("A5"), QStringLiteral("B4")});
    orientations_->addItems({QStringLiteral("横"), QStringLiteral("縦")});
    fontSize_->setRange(0, 40);
    fontSize_->setSingleStep(0.5);
    fontSize_->setDecimals(1);
    fontSize_->setSuffix(QStringLiteral(" pt"));
    fontSize_->setSpecialValueText(QStringLiteral("自動"));
    reason_->setWordWrap(true);
    reason_->setStyleSheet(QStringLiteral("color: #b00000"));
    previewLabel_->setMinimumSize(430, 300);
    previewLabel_->setAlignment(Qt::AlignCenter);
    length_->setText(QString::fromStdU16String(document_.length));

    auto* grid = new QHBoxLayout;
    grid->addWidget(characters_);
    grid->addWidget(new QLabel(QStringLiteral("字×"), this));
    grid->addWidget(columns_);
    grid->addWidget(new QLabel(QStringLiteral("行"), this));
    grid->addStretch();
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("体裁"), layouts_);
    form->addRow(QStringLiteral("字数×行数"), grid);
    form->addRow(QStringLiteral("用紙"), papers_);
    form->addRow(QStringLiteral("向き"), orientations_);
    form->addRow(QStringLiteral("文字の大きさ"), fontSize_);
    form->addRow(QString(), title_);
    form->addRow(QStringLiteral("組み"), grid_);
    form->addRow(QStringLiteral("長さ"), length_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(reason_);
    left->addStretch();
    left->addWidget(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(previewLabel_, 1);

    for (QComboBox* box : {layouts_, papers_, orientations_})
        connect(box, &QComboBox::currentIndexChanged, this, &PageSetupDialog::refresh);
    for (QSpinBox* box : {characters_, columns_})
        connect(box, &QSpinBox::valueChanged, this, &PageSetupDialog::refresh);
    connect(fontSize_, &QDoubleSpinBox::valueChanged, this, &PageSetupDialog::refresh);
    connect(title_, &QCheckBox::toggled, this, &PageSetupDialog::refresh);
    setChoice(PrintChoice());
}

void PageSetupDialog::setChoice(const PrintChoice& choice) {
    {
        const QSignalBlocker blockers[] = {
            QSignalBlocker(layouts_), QSignalBlocker(characters_),   QSignalBlocker(columns_),
            QSignalBlocker(papers_),  QSignalBlocker(orientations_), QSignalBlocker(fontSize_),
            QSignalBlocker(title_)};
        layouts_->setCurrentIndex(choice.kind == PrintChoice::Kind::Screen
                                      ? kScreenIndex
                                      : static_cast<int>(choice.preset));
        characters_->setValue(choice.charactersPerColumn);
        columns_->setValue(choice.columnsPerPage);
        papers_->setCurrentIndex(static_cast<int>(choice.paper));
        orientations_->setCurrentIndex(static_cast<int>(choice.orientation));
        fontSize_->setValue(choice.fontSize.value_or(0));
        title_->setChecked(choice.title);
    }
    refresh();
}

PrintChoice PageSetupDialog::choice() const {
    PrintChoice choice;
    const int layout = layouts_->currentIndex();
    choice.kind =
        layout == kScreenIndex ? PrintChoice::Kind::Screen : PrintChoice::Kind::Manuscript;
    if (layout >= 0 && layout < kScreenIndex)
        choice.preset = static_cast<PrintChoice::Preset>(layout);
    choice.charactersPerColumn = characters_->value();
    choice.columnsPerPage = columns_->value();
    choice.paper = static_cast<ManuscriptGeometry::Paper>(papers_->currentIndex());
    choice.orientation =
        static_cast<ManuscriptGeometry::Orientation>(orientations_->currentIndex());
    if (fontSize_->value() > 0) choice.fontSize = fontSize_->value();
    choice.title = title_->isChecked();
    return choice;
}

QString PageSetupDialog::reason() const {
    return reason_->text();
}

QString PageSetupDialog::length() const {
    return length_->text();
}

void PageSetupDialog::refresh() {
    const PrintChoice chosen = choice();
    const bool screen = chosen.kind == PrintChoice::Kind::Screen;
    characters_->setEnabled(chosen.preset == PrintChoice::Preset::Custom && !screen);
    columns_->setEnabled(chosen.preset == PrintChoice::Preset::Custom && !screen);
    fontSize_->setEnabled(!screen);
    title_->setEnabled(!screen);

    QString refusal;
    preview_ = QImage();
    if (screen) {
        grid_->setText(QStringLiteral("画面の列をそのままページに並べます"));
        if (!chosen.screenPaper())
            refusal = QStringLiteral("画面のとおりの用紙は A4 横、A4 縦、B5 縦、A5 縦です。");
    } else {
        const ManuscriptGeometry::Settings settings = chosen.settings();
        const ManuscriptGeometry geometry(settings);
        if (geometry.fits()) {
            grid_->setText(QStringLiteral("%1字×%2行、%3 pt")
                               .arg(settings.charactersPerColumn)
                               .arg(settings.columnsPerPage)
                               .arg(geometry.fontSize(), 0, 'f', 1));
            preview_ = document_.firstPage(chosen, kPreviewPixelsPerPoint);
        } else {
            grid_->setText(QString());
            refusal = QStringLiteral("この設定では組めません: ") +
                      QString::fromStdString(geometry.fitMessage());
        }
    }
    reason_->setText(refusal);
    reason_->setVisible(!refusal.isEmpty());
    ok_->setEnabled(refusal.isEmpty());
    if (preview_.isNull())
        previewLabel_->setPixmap(QPixmap());
    else
        previewLabel_->setPixmap(QPixmap::fromImage(preview_));
}

}  // namespace tavelo
