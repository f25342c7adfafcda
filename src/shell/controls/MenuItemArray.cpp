#include "shell/controls/MenuItemArray.h"

#include <QAction>
#include <QMenu>

#include "shell/controls/ControlErrors.h"
#include "shell/controls/MenuItem.h"

namespace tavelo {

MenuItemArray::MenuItemArray(QMenu& menu, std::string name) : menu_(menu), name_(std::move(name)) {}

MenuItemArray::~MenuItemArray() = default;

MenuItem& MenuItemArray::Load(Integer vIndex) {
    if (items_.empty()) {
        lower_ = vIndex;
    } else if (vIndex >= lower_ && vIndex <= UBound()) {
        throw controlerrors::objectAlreadyLoaded(name_);
    } else if (vIndex != UBound() + 1) {
        throw Error::subscriptOutOfRange(name_);
    }

    QAction* before = nullptr;
    if (!items_.empty()) {
        const QList<QAction*> actions = menu_.actions();
        const qsizetype last = actions.indexOf(&items_.back()->action());
        if (last >= 0 && last + 1 < actions.size()) before = actions[last + 1];
    }
    auto item = std::make_unique<MenuItem>(menu_, String(), MenuItem::Kind::Command, before);
    if (!items_.empty()) {
        const MenuItem& lowest = *items_.front();
        item->Caption(lowest.Caption());
        item->Enabled(lowest.Enabled());
        item->Checked(lowest.Checked());
        item->Visible(false);
    }
    connect(item.get(), &MenuItem::Click, this, [this, vIndex] { emit Click(vIndex); });
    items_.push_back(std::move(item));
    return *items_.back();
}

MenuItem& MenuItemArray::operator()(Integer vIndex) const {
    if (items_.empty() || vIndex < lower_ || vIndex > UBound())
        throw controlerrors::controlArrayElementMissing(name_);
    return *items_[static_cast<std::size_t>(vIndex - lower_)];
}

Integer MenuItemArray::LBound() const {
    if (items_.empty()) throw controlerrors::controlArrayElementMissing(name_);
    return lower_;
}

Integer MenuItemArray::UBound() const {
    if (items_.empty()) throw controlerrors::controlArrayElementMissing(name_);
    return static_cast<Integer>(lower_ + Count() - 1);
}

}  // namespace tavelo
