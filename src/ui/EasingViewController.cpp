#include "ui/EasingViewController.h"

#include "easing/EasingCurveHelper.h"
#include "ui/ScrollViewController.h"

namespace wexo {

namespace {
constexpr const char* kSelectAction = "collectionView:didSelectItemsAtIndexPaths:";
constexpr const char* kDeselectAction = "collectionView:didDeselectItemsAtIndexPaths:";
}  // namespace

EasingViewController::EasingViewController() : ui::ViewController("Easing") {
    // The sheet (EasingMainView): four columns of two rows of graphs under
    // the family radios, the sample view at their right.
    view().setFrame(platform::Rect(0, 0, 660, 380));
    view().setBackgroundColor(ui::Color::white());
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &inOutlt, &outOutlt, &inOutOutlt, &collectionScrollView, &graphView, &closeSheetOutlt})
        view().addSubview(*c);
    inOutlt.setFrame(platform::Rect(20, 334, 110, 22));
    outOutlt.setFrame(platform::Rect(140, 334, 110, 22));
    inOutOutlt.setFrame(platform::Rect(260, 334, 130, 22));
    inOutlt.setTitle("Ease In");
    outOutlt.setTitle("Ease Out");
    inOutOutlt.setTitle("Ease In Out");

    collectionScrollView.setFrame(platform::Rect(20, 60, 520, 260));
    collectionScrollView.setBorderColor(std::nullopt);
    collectionScrollView.addSubview(myCollectionView);
    myCollectionView.setFrame(platform::Rect(0, 0, 520, 260));
    myCollectionView.setItemSize(GraphCollectionItem::kSize);
    myCollectionView.registerItem(GraphCollectionItem::kIdentifier,
                                  [] { return std::make_unique<GraphCollectionItem>(); });
    myCollectionView.setDataSource(this);

    // The sample view is taller than its frame and shows its lower part;
    // a demonstration scrolls it up by 500 points.
    graphView.setFrame(platform::Rect(560, 60, 80, 260));
    graphView.addSubview(fakeScrollView);
    fakeScrollView.setFrame(platform::Rect(10, -520, 60, 780));
    fakeScrollView.setBackgroundColor(ui::Color::dirtyWhite());
    closeSheetOutlt.setFrame(platform::Rect(560, 16, 80, 28));
    closeSheetOutlt.setTitle("Done");

    inOutlt.setTarget(this, "easIn:");
    addAction("easIn:", [this](ui::Control&) { easIn(); });
    outOutlt.setTarget(this, "easOut:");
    addAction("easOut:", [this](ui::Control&) { easOut(); });
    inOutOutlt.setTarget(this, "easInOut:");
    addAction("easInOut:", [this](ui::Control&) { easInOut(); });
    closeSheetOutlt.setTarget(this, "closeSheet:");
    addAction("closeSheet:", [this](ui::Control&) { closeSheet(); });

    myCollectionView.setTarget(this, kSelectAction);
    myCollectionView.setDeselectAction(kDeselectAction);
    addAction(kSelectAction, [this](ui::Control&) {
        collectionViewDidSelectItemsAtIndexPaths(myCollectionView.changedIndexPaths());
    });
    addAction(kDeselectAction, [this](ui::Control&) {
        collectionViewDidDeselectItemsAtIndexPaths(myCollectionView.changedIndexPaths());
    });
}

EasingViewController::~EasingViewController() = default;

void EasingViewController::viewDidLoad() {
    currentEasing_ = kEaseIn;
    inOutlt.setState(ui::kStateOn);
    myCollectionView.reloadData();
}

GraphCollectionItem* EasingViewController::graphItemAt(std::size_t index) const {
    return dynamic_cast<GraphCollectionItem*>(myCollectionView.itemAtIndex(index));
}

// ---- Families ----

void EasingViewController::easIn() {
    chooseFamily(kEaseIn, inOutlt);
}

void EasingViewController::easOut() {
    chooseFamily(kEaseOut, outOutlt);
}

void EasingViewController::easInOut() {
    chooseFamily(kEaseInOut, inOutOutlt);
}

void EasingViewController::chooseFamily(std::int64_t easing, ui::Button& radio) {
    currentEasing_ = easing;
    myCollectionView.reloadData();
    // Items are reused, but one that is not shown any more is not the chosen one.
    bool stillShown = false;
    for (std::size_t i = 0; i < myCollectionView.numberOfItems(); ++i)
        stillShown = stillShown || graphItemAt(i) == lastSelectedItem_;
    if (!stillShown) lastSelectedItem_ = nullptr;
    for (ui::Button* other : {&inOutlt, &outOutlt, &inOutOutlt})
        other->setState(other == &radio ? ui::kStateOn : ui::kStateOff);
}

void EasingViewController::closeSheet() {
    if (lastSelectedItem_) lastSelectedItem_->graphView.setAnimating(false);
    dismiss();
}

// ---- Items ----

std::size_t EasingViewController::numberOfItemsInSection(ui::CollectionView&) {
    return kItemCount;
}

std::unique_ptr<ui::CollectionViewItem> EasingViewController::itemForRepresentedObjectAtIndexPath(
    ui::CollectionView& collection, std::size_t index) {
    std::unique_ptr<ui::CollectionViewItem> made =
        collection.makeItemWithIdentifier(GraphCollectionItem::kIdentifier);
    auto* item = dynamic_cast<GraphCollectionItem*>(made.get());
    if (!item) return made;
    const auto curve = static_cast<std::int64_t>(index);
    item->graphView.setEasingFunction(EasingCurveHelper::setCurrentCurve(currentEasing_, curve));
    item->graphTitle.setStringValue(
        EasingCurveHelper::getGraphName(
            EasingCurveHelper::getCurrentGraphType(currentEasing_, curve))
            .value_or(""));
    item->graphView.setAnimating(false);
    // Actions the graph does not handle go on from its item to this screen.
    item->graphView.setNextResponder(this);
    // Redrawing the graph draws its dot, which hides it.
    item->graphView.setNeedsDisplay();
    return made;
}

// ---- Choosing ----

void EasingViewController::collectionViewDidSelectItemsAtIndexPaths(
    const std::set<std::size_t>& indexes) {
    for (std::size_t index : indexes) {
        GraphCollectionItem* item = graphItemAt(index);
        if (!item) continue;
        item->graphView.setAnimating(true);
        item->graphView.setNeedsDisplay();
        item->graphView.animateDotWithScroll(fakeScrollView);
        lastSelectedItem_ = item;
        const std::int64_t graph = EasingCurveHelper::getCurrentGraphType(
            currentEasing_, static_cast<std::int64_t>(index));
        if (auto* scroll = dynamic_cast<ScrollViewController*>(presentingViewController()))
            scroll->setSelecteadAnimationOutlet(graph);
    }
}

void EasingViewController::collectionViewDidDeselectItemsAtIndexPaths(
    const std::set<std::size_t>& indexes) {
    for (std::size_t index : indexes) {
        if (GraphCollectionItem* item = graphItemAt(index)) {
            item->graphView.setAnimating(false);
            item->graphView.setNeedsDisplay();
        }
    }
}

}  // namespace wexo
