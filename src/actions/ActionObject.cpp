#include "actions/ActionObject.h"

#include "actions/StoredValues.h"

namespace wexo {

ActionObject::ActionObject(const plist::Dictionary& dict, std::optional<CustomAction> withAction)
    : prettyName(StoredValues::string(dict, "prettyName").value_or("")),
      action(std::move(withAction)),
      isActive(StoredValues::integer(dict, "isActive")) {}

}  // namespace wexo
