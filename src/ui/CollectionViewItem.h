#pragma once

#include <string>

#include "ui/ActionTarget.h"
#include "ui/View.h"

namespace wexo::ui {

class CollectionView;

// One item of a collection view: the view the collection shows for one
// index, its controller (the item's own actions go here), and whether it is
// selected. Items of a class are made, and reused across reloads, by the
// collection (CollectionView::makeItemWithIdentifier). Main thread only.
class CollectionViewItem : public ActionTarget {
  public:
    // `identifier` names the item's class ("GraphCollectionItem").
    explicit CollectionViewItem(std::string identifier);
    ~CollectionViewItem() override;

    const std::string& identifier() const { return identifier_; }
    View& view() { return view_; }
    const View& view() const { return view_; }
    bool isSelected() const { return selected_; }

  private:
    friend class CollectionView;

    std::string identifier_;
    View view_;
    bool selected_ = false;
};

}  // namespace wexo::ui
