#include "ui/qt/FormLibrary.h"

#include "ui_AboutForm.h"
#include "ui_AccessibilityForm.h"
#include "ui_ActionsForm.h"
#include "ui_AutoForm.h"
#include "ui_ButtonsForm.h"
#include "ui_EasingForm.h"
#include "ui_FullScreenForm.h"
#include "ui_GesturesForm.h"
#include "ui_GrabForm.h"
#include "ui_ScrollForm.h"
#include "ui_SettingsForm.h"

namespace wexo::ui::qt {

namespace {
template <class Form>
QWidget* make() {
    auto* widget = new QWidget;
    Form form;
    form.setupUi(widget);
    return widget;
}

struct Entry {
    const char* screen;
    QWidget* (*create)();
};

const Entry kForms[] = {
    {"Scroll", &make<Ui::ScrollForm>},
    {"Buttons", &make<Ui::ButtonsForm>},
    {"Actions", &make<Ui::ActionsForm>},
    {"Gestures", &make<Ui::GesturesForm>},
    {"Grab", &make<Ui::GrabForm>},
    {"Auto", &make<Ui::AutoForm>},
    {"Settings", &make<Ui::SettingsForm>},
    {"About", &make<Ui::AboutForm>},
    {"Easing", &make<Ui::EasingForm>},
    {"Accessibility", &make<Ui::AccessibilityForm>},
    {"FullScreen", &make<Ui::FullScreenForm>},
};
}  // namespace

QWidget* FormLibrary::create(const std::string& screenName) {
    for (const Entry& e : kForms)
        if (screenName == e.screen) return e.create();
    return nullptr;
}

std::vector<std::string> FormLibrary::screenNames() {
    std::vector<std::string> out;
    for (const Entry& e : kForms) out.emplace_back(e.screen);
    return out;
}

}  // namespace wexo::ui::qt
