#pragma once

#include "ui/CollectionViewItem.h"
#include "ui/EasingFunctionGraphView.h"
#include "ui/TextField.h"
#include "ui/View.h"

namespace wexo {

// One curve of the curve chooser: its name over its graph, in a box. The
// item is the graph's controller in the responder chain.
class GraphCollectionItem : public ui::CollectionViewItem {
  public:
    static constexpr const char* kIdentifier = "GraphCollectionItem";
    static constexpr platform::Size kSize{130, 130};

    GraphCollectionItem();

    ui::View boxTest{"boxTest"};
    ui::TextField graphTitle{"graphTitle"};
    EasingFunctionGraphView graphView{"graphView"};
};

}  // namespace wexo
