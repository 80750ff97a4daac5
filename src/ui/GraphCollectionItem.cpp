#include "ui/GraphCollectionItem.h"

namespace wexo {

GraphCollectionItem::GraphCollectionItem() : ui::CollectionViewItem(kIdentifier) {
    view().setFrame(platform::Rect(0, 0, kSize.width, kSize.height));
    view().addSubview(boxTest);
    boxTest.setFrame(platform::Rect(0, 0, kSize.width, kSize.height));
    boxTest.addSubview(graphTitle);
    boxTest.addSubview(graphView);
    graphTitle.setFrame(platform::Rect(5, 106, 120, 20));
    graphTitle.setAlignment(ui::TextAlignment::Center);
    graphView.setFrame(platform::Rect(5, 5, 120, 98));
    graphView.setViewController(this);
}

}  // namespace wexo
