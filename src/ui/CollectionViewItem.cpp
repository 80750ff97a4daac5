#include "ui/CollectionViewItem.h"

namespace wexo::ui {

CollectionViewItem::CollectionViewItem(std::string identifier)
    : identifier_(identifier), view_(std::move(identifier)) {}

CollectionViewItem::~CollectionViewItem() = default;

}  // namespace wexo::ui
