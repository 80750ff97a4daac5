#include "ui/TextField.h"

namespace wexo::ui {

TextField::TextField(std::string identifier) : Control(std::move(identifier)) {}

std::string TextField::stringValue() const {
    std::string text;
    for (const auto& run : runs_) text += run.text;
    return text;
}

void TextField::setStringValue(std::string text) {
    std::vector<TextRun> runs;
    if (!text.empty()) runs.push_back(TextRun{std::move(text), std::nullopt, 0, std::nullopt, 0});
    setAttributedStringValue(std::move(runs));
}

void TextField::setAttributedStringValue(std::vector<TextRun> runs) {
    if (runs_ == runs) return;
    runs_ = std::move(runs);
    changed(ControlChange::Text);
}

void TextField::setTextColor(Color color) {
    if (textColor_ == color) return;
    textColor_ = color;
    changed(ControlChange::TextColor);
}

void TextField::setFontSize(double points) {
    if (fontSize_ == points) return;
    fontSize_ = points;
    changed(ControlChange::Appearance);
}

void TextField::setAlignment(TextAlignment alignment) {
    if (alignment_ == alignment) return;
    alignment_ = alignment;
    changed(ControlChange::Appearance);
}

void TextField::setEditable(bool editable) {
    if (editable_ == editable) return;
    editable_ = editable;
    if (!editable) editing_ = false;
    changed(ControlChange::Editing);
}

void TextField::setSelectable(bool selectable) {
    if (selectable_ == selectable) return;
    selectable_ = selectable;
    changed(ControlChange::Editing);
}

void TextField::beginEditing() {
    if (editing_ || !editable_) return;
    editing_ = true;
    changed(ControlChange::Editing);
}

void TextField::abortEditing() {
    if (!editing_) return;
    editing_ = false;
    changed(ControlChange::Editing);
}

bool TextField::endEditing() {
    if (!editing_) return false;
    editing_ = false;
    changed(ControlChange::Editing);
    sendAction();
    return true;
}

}  // namespace wexo::ui
