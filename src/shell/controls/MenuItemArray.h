#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "common/ClassicTypes.h"

class QMenu;

namespace tavelo {

class MenuItem;

// A control array of menu items that stand one below the other in one menu, indexed from
// the index of the first element loaded. Click reports the index of the chosen element.
class MenuItemArray : public QObject {
    Q_OBJECT
public:
    // `name` is the source of the errors the array raises.
    MenuItemArray(QMenu& menu, std::string name);
    ~MenuItemArray() override;
    MenuItemArray(const MenuItemArray&) = delete;
    MenuItemArray& operator=(const MenuItemArray&) = delete;

    // Creates element `vIndex` just below the last element. The first element starts with an
    // empty caption; later ones copy Caption, Enabled and Checked from the lowest element and
    // start invisible. Loading an existing element fails with error 360; elements are only
    // added at the next free index, any other index fails with error 9.
    MenuItem& Load(Integer vIndex);

    // The element `vIndex`; error 340 when there is none.
    [[nodiscard]] MenuItem& operator()(Integer vIndex) const;
    [[nodiscard]] Integer LBound() const;
    [[nodiscard]] Integer UBound() const;
    [[nodiscard]] Integer Count() const { return static_cast<Integer>(items_.size()); }

signals:
    void Click(tavelo::Integer Index);

private:
    QMenu& menu_;
    std::string name_;
    Integer lower_ = 0;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace tavelo
