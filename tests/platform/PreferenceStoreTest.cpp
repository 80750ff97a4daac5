// What every preference store promises, checked on each of them.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "platform/FilePreferenceStore.h"
#include "platform/LogCapture.h"
#include "platform/MemoryPreferenceStore.h"
#include "platform/TempFolder.h"
#include "plist/PropertyList.h"

namespace wexo::platform {
namespace {

using plist::Array;
using plist::Dictionary;
using plist::Value;

constexpr const char* kBundle = "com.wexo.Wexo";

struct FileStoreMaker {
    TempFolder folder;
    std::unique_ptr<PreferenceStoreBase> make(Dictionary global = {}) {
        if (!global.empty()) {
            auto xml = plist::PropertyList::write(Value(global), plist::Format::Xml);
            TempFolder::write(folder.path() / ".GlobalPreferences.plist", *xml);
        }
        return std::make_unique<FilePreferenceStore>(
            kBundle, FilePreferenceStore::Options{folder.path(), {}});
    }
};

struct MemoryStoreMaker {
    std::unique_ptr<PreferenceStoreBase> make(Dictionary global = {}) {
        return std::make_unique<MemoryPreferenceStore>(kBundle, Dictionary{}, std::move(global));
    }
};

template <class Maker>
class PreferenceStoreTest : public ::testing::Test {
  protected:
    Maker maker;
};

using Makers = ::testing::Types<FileStoreMaker, MemoryStoreMaker>;
class MakerNames {
  public:
    template <class T>
    static std::string GetName(int) {
        return std::is_same_v<T, FileStoreMaker> ? "File" : "Memory";
    }
};
TYPED_TEST_SUITE(PreferenceStoreTest, Makers, MakerNames);

TYPED_TEST(PreferenceStoreTest, SetReplaceAndRemove) {
    auto store = this->maker.make();
    EXPECT_FALSE(store->objectForKey("scrollingEnabled"));
    EXPECT_TRUE(store->setObjectForKey("scrollingEnabled", true));
    EXPECT_TRUE(store->setObjectForKey("scrollSpeed", 2.5));
    EXPECT_TRUE(store->setObjectForKey("scrollSpeed", 4));
    EXPECT_EQ(store->objectForKey("scrollingEnabled"), Value(true));
    EXPECT_EQ(store->objectForKey("scrollSpeed")->type(), Value::Type::Integer);
    EXPECT_EQ(store->objectForKey("scrollSpeed"), Value(4));
    store->removeObjectForKey("scrollSpeed");
    store->removeObjectForKey("never stored");
    EXPECT_FALSE(store->objectForKey("scrollSpeed"));
    EXPECT_EQ(store->persistentDomain(), (Dictionary{{"scrollingEnabled", true}}));
    EXPECT_TRUE(store->synchronize());
}

TYPED_TEST(PreferenceStoreTest, RegisteredDefaultsAnswerOnlyForAbsentKeys) {
    auto store = this->maker.make();
    store->registerDefaults({{"throwDuration", 100}, {"animateThrow", true}});
    store->registerDefaults({{"throwDuration", 150}});  // a later registration wins
    EXPECT_EQ(store->objectForKey("throwDuration"), Value(150));
    EXPECT_EQ(store->objectForKey("animateThrow"), Value(true));

    store->setObjectForKey("throwDuration", 300);
    EXPECT_EQ(store->objectForKey("throwDuration"), Value(300));
    store->removeObjectForKey("throwDuration");
    EXPECT_EQ(store->objectForKey("throwDuration"), Value(150));
    // Registered values are never part of the persistent domain.
    EXPECT_TRUE(store->persistentDomain().empty());
}

TYPED_TEST(PreferenceStoreTest, RefusesWhatAPropertyListCannotHold) {
    auto store = this->maker.make();
    store->setObjectForKey("scrollSpeed", 2.5);
    LogCapture log;
    EXPECT_FALSE(store->setObjectForKey("scrollSpeed", std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(store->setObjectForKey("name", "bad \xFF byte"));
    EXPECT_FALSE(store->setObjectForKey("list", Array{1, std::numeric_limits<double>::infinity()}));
    EXPECT_FALSE(store->setObjectForKey(std::string("nul\0key", 7), 1));
    EXPECT_EQ(store->objectForKey("scrollSpeed"), Value(2.5));
    EXPECT_FALSE(store->objectForKey("name"));
    EXPECT_FALSE(store->objectForKey("list"));
    EXPECT_EQ(store->persistentDomain().size(), 1u);
    EXPECT_TRUE(log.has({"scrollSpeed", "not finite"}));
    EXPECT_TRUE(log.has({"name", "UTF-8"}));
    EXPECT_EQ(log.lines().size(), 4u);
}

TYPED_TEST(PreferenceStoreTest, RemovingTheOwnDomainRemovesEverythingStored) {
    auto store = this->maker.make();
    store->registerDefaults({{"hideDrawing", false}});
    store->setObjectForKey("hideDrawing", true);
    store->setObjectForKey("gestureNumber", 3);

    store->removePersistentDomainForName("com.other.App");
    EXPECT_EQ(store->persistentDomain().size(), 2u);

    store->removePersistentDomainForName(kBundle);
    EXPECT_TRUE(store->persistentDomain().empty());
    EXPECT_FALSE(store->objectForKey("gestureNumber"));
    EXPECT_EQ(store->objectForKey("hideDrawing"), Value(false));  // registered, still answers
    EXPECT_TRUE(store->synchronize());
}

TYPED_TEST(PreferenceStoreTest, ReadsTheGlobalDomain) {
    auto store = this->maker.make({{"_HIHideMenuBar", true}});
    EXPECT_EQ(store->globalObjectForKey("_HIHideMenuBar"), Value(true));
    EXPECT_FALSE(store->globalObjectForKey("AppleInterfaceStyle"));
    // The global domain is not the application's own.
    EXPECT_FALSE(store->objectForKey("_HIHideMenuBar"));
}

TEST(MemoryPreferenceStoreTest, KeepsWhatTheLastSynchronizeHandedOver) {
    MemoryPreferenceStore store(kBundle, {{"scrollingEnabled", true}});
    store.registerDefaults({{"showOnLaunch", false}});
    store.setObjectForKey("scrollSpeed", 3);
    EXPECT_EQ(store.synchronizedDomain(), (Dictionary{{"scrollingEnabled", true}}));
    EXPECT_TRUE(store.synchronize());
    EXPECT_EQ(store.synchronizedDomain(),
              (Dictionary{{"scrollingEnabled", true}, {"scrollSpeed", 3}}));
    EXPECT_EQ(store.synchronizeCount(), 1);
}

}  // namespace
}  // namespace wexo::platform
