#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>

#include "ui/Button.h"
#include "ui/CollectionView.h"
#include "ui/FakeScrollView.h"
#include "ui/GraphCollectionItem.h"
#include "ui/View.h"
#include "ui/ViewController.h"

namespace wexo {

// The curve chooser, a sheet on the Scroll screen: the curves of one easing
// family at a time as small graphs. Choosing a graph demonstrates it and
// makes it the scroll animation of the entry the Scroll screen edits.
class EasingViewController : public ui::ViewController, public ui::CollectionViewDataSource {
  public:
    // The curves of a family: linear, quadratic, cubic, quartic, quintic,
    // sine, circular and exponential.
    static constexpr std::size_t kItemCount = 8;
    // The families (the variants of the easing catalogue).
    static constexpr std::int64_t kEaseIn = 0;
    static constexpr std::int64_t kEaseOut = 1;
    static constexpr std::int64_t kEaseInOut = 2;

    EasingViewController();
    ~EasingViewController() override;

    std::int64_t currentEasing() const { return currentEasing_; }
    // The item whose demonstration runs, nullptr before a choice.
    GraphCollectionItem* lastSelectedItem() const { return lastSelectedItem_; }
    GraphCollectionItem* graphItemAt(std::size_t index) const;

    // The family radios, and the sheet's close button.
    void easIn();
    void easOut();
    void easInOut();
    void closeSheet();

    // ---- CollectionViewDataSource ----
    std::size_t numberOfItemsInSection(ui::CollectionView& collection) override;
    std::unique_ptr<ui::CollectionViewItem> itemForRepresentedObjectAtIndexPath(
        ui::CollectionView& collection, std::size_t index) override;

    // ---- The collection's selection messages ----
    void collectionViewDidSelectItemsAtIndexPaths(const std::set<std::size_t>& indexes);
    void collectionViewDidDeselectItemsAtIndexPaths(const std::set<std::size_t>& indexes);

    // ---- Outlets ----
    ui::Button inOutlt{"inOutlt", ui::ButtonType::Radio};
    ui::Button outOutlt{"outOutlt", ui::ButtonType::Radio};
    ui::Button inOutOutlt{"inOutOutlt", ui::ButtonType::Radio};
    // The sample view scrolls inside graphView. Declared before the
    // collection, whose graphs use it, so that it outlives them.
    ui::View graphView{"graphView"};
    FakeScrollView fakeScrollView{"fakeScrollView"};
    ui::View collectionScrollView{"collectionScrollView"};
    ui::CollectionView myCollectionView{"myCollectionView"};
    ui::Button closeSheetOutlt{"closeSheetOutlt", ui::ButtonType::Push};

  protected:
    void viewDidLoad() override;

  private:
    void chooseFamily(std::int64_t easing, ui::Button& radio);

    std::int64_t currentEasing_ = kEaseIn;
    GraphCollectionItem* lastSelectedItem_ = nullptr;
};

}  // namespace wexo
