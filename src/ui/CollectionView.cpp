#include "ui/CollectionView.h"

#include <algorithm>
#include <cmath>

namespace wexo::ui {

CollectionView::CollectionView(std::string identifier) : View(std::move(identifier)) {}

CollectionView::~CollectionView() = default;

void CollectionView::registerItem(std::string identifier, ItemFactory factory) {
    factories_[std::move(identifier)] = std::move(factory);
}

std::unique_ptr<CollectionViewItem> CollectionView::makeItemWithIdentifier(
    const std::string& identifier) {
    auto reused = std::find_if(reusable_.begin(), reusable_.end(),
                               [&](const auto& item) { return item->identifier() == identifier; });
    if (reused != reusable_.end()) {
        std::unique_ptr<CollectionViewItem> item = std::move(*reused);
        reusable_.erase(reused);
        return item;
    }
    auto factory = factories_.find(identifier);
    if (factory == factories_.end() || !factory->second) return nullptr;
    return factory->second();
}

void CollectionView::setItemSize(platform::Size size) {
    if (itemSize_ == size) return;
    itemSize_ = size;
    layoutItems();
}

void CollectionView::reloadData() {
    if (!Control::isSendingAction()) retired_.clear();
    for (auto& item : items_) {
        if (!item) continue;
        item->view_.removeFromSuperview();
        item->selected_ = false;
        reusable_.push_back(std::move(item));
    }
    items_.clear();
    const bool hadSelection = !selection_.empty();
    selection_.clear();

    const std::size_t count = source_ ? source_->numberOfItemsInSection(*this) : 0;
    std::vector<std::unique_ptr<CollectionViewItem>> built(count);
    for (std::size_t i = 0; i < count; ++i) {
        built[i] = source_->itemForRepresentedObjectAtIndexPath(*this, i);
        if (built[i]) addSubview(built[i]->view_);
    }
    items_ = std::move(built);
    for (auto& item : reusable_) retired_.push_back(std::move(item));
    reusable_.clear();
    layoutItems();
    changed(ControlChange::Rows);
    if (hadSelection) changed(ControlChange::Selection);
}

void CollectionView::layoutItems() {
    const double width = frame().size.width;
    const std::size_t columns = itemSize_.width > 0 && width >= itemSize_.width
                                    ? static_cast<std::size_t>(std::floor(width / itemSize_.width))
                                    : 1;
    // Rows run down from the top edge; frames have their origin at the bottom left.
    const double top = frame().size.height;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (!items_[i]) continue;
        const double x = static_cast<double>(i % columns) * itemSize_.width;
        const double y = top - static_cast<double>(i / columns + 1) * itemSize_.height;
        items_[i]->view_.setFrame(platform::Rect(x, y, itemSize_.width, itemSize_.height));
    }
}

CollectionViewItem* CollectionView::itemAtIndex(std::size_t index) const {
    return index < items_.size() ? items_[index].get() : nullptr;
}

bool CollectionView::clickItemAtIndex(std::size_t index) {
    if (index >= items_.size() || !items_[index] || items_[index]->selected_) return false;
    std::set<std::size_t> deselected = selection_;
    for (std::size_t i : deselected)
        if (items_[i]) items_[i]->selected_ = false;
    selection_ = {index};
    items_[index]->selected_ = true;
    changed(ControlChange::Selection);
    if (!deselected.empty()) {
        changed_ = std::move(deselected);
        sendToTarget(deselectAction_);
    }
    changed_ = {index};
    sendAction();
    return true;
}

}  // namespace wexo::ui
