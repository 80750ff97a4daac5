#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/CollectionViewItem.h"
#include "ui/View.h"

namespace wexo::ui {

class CollectionView;

// Where a collection's items come from (its data source).
class CollectionViewDataSource {
  public:
    virtual ~CollectionViewDataSource() = default;
    virtual std::size_t numberOfItemsInSection(CollectionView& collection) = 0;
    // The item shown for an index, configured for it; usually one that
    // collection.makeItemWithIdentifier gave. nullptr leaves the place empty.
    virtual std::unique_ptr<CollectionViewItem> itemForRepresentedObjectAtIndexPath(
        CollectionView& collection, std::size_t index) = 0;
};

// A collection of items in one section, laid out in rows of equal items
// from the top left, with single selection.
//
// A person's click on an item that is not selected selects it alone and
// sends two messages to the collection's target: first the deselection
// message (setDeselectAction, its delegate's
// collectionView:didDeselectItemsAtIndexPaths:) for the items it unselects,
// when there are any, then the action (collectionView:didSelectItemsAtIndexPaths:)
// for the clicked one; changedIndexPaths() tells which indexes the message
// is about. A reload clears the selection without a message.
class CollectionView : public View {
  public:
    using ItemFactory = std::function<std::unique_ptr<CollectionViewItem>()>;

    explicit CollectionView(std::string identifier);
    ~CollectionView() override;

    void setDataSource(CollectionViewDataSource* source) { source_ = source; }
    void setDeselectAction(std::string selector) { deselectAction_ = std::move(selector); }

    // The class of the items made under `identifier`.
    void registerItem(std::string identifier, ItemFactory factory);
    // An item of the registered class for the data source to configure:
    // during a reload, one the collection showed before and no index has
    // taken again yet (items are reused, so whatever an item has running
    // goes on); otherwise a new one. nullptr for an unknown identifier.
    std::unique_ptr<CollectionViewItem> makeItemWithIdentifier(const std::string& identifier);

    // The size of every item; the items are placed when the collection reloads.
    platform::Size itemSize() const { return itemSize_; }
    void setItemSize(platform::Size size);

    // Asks the data source again for every item. Items no index takes any
    // more stay alive while an action runs (one may be the sender).
    void reloadData();

    std::size_t numberOfItems() const { return items_.size(); }
    CollectionViewItem* itemAtIndex(std::size_t index) const;

    const std::set<std::size_t>& selectionIndexes() const { return selection_; }
    // A person clicks the item at `index`. Answers whether the selection
    // changed (not for the selected item, an empty place or an index outside
    // the collection). The collection may be gone when this returns.
    bool clickItemAtIndex(std::size_t index);
    // The indexes the last selection message was about.
    const std::set<std::size_t>& changedIndexPaths() const { return changed_; }

  private:
    void layoutItems();

    CollectionViewDataSource* source_ = nullptr;
    std::string deselectAction_;
    std::map<std::string, ItemFactory> factories_;
    platform::Size itemSize_{100, 100};
    std::vector<std::unique_ptr<CollectionViewItem>> items_;
    // During a reload: the items shown before, for makeItemWithIdentifier.
    std::vector<std::unique_ptr<CollectionViewItem>> reusable_;
    std::vector<std::unique_ptr<CollectionViewItem>> retired_;
    std::set<std::size_t> selection_;
    std::set<std::size_t> changed_;
};

}  // namespace wexo::ui
