#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/Color.h"
#include "ui/Control.h"

namespace wexo::ui {

// A stretch of text with its own attributes. Unset attributes take the
// field's (its text colour, its font size).
struct TextRun {
    std::string text;
    std::optional<Color> color;
    double fontSize = 0;  // points; 0: the field's size
    // An outline: stroke colour and width (negative: stroked and filled).
    std::optional<Color> strokeColor;
    double strokeWidth = 0;

    friend bool operator==(const TextRun&, const TextRun&) = default;
};

enum class TextAlignment { Natural, Left, Center, Right };

// A label or an editable text field. Editing ends with the field's action
// (its delegate's controlTextDidEndEditing:).
class TextField : public Control {
  public:
    explicit TextField(std::string identifier = {});

    // The text without attributes.
    std::string stringValue() const;
    // Plain text in the field's colour and size.
    void setStringValue(std::string text);
    const std::vector<TextRun>& attributedStringValue() const { return runs_; }
    void setAttributedStringValue(std::vector<TextRun> runs);

    const Color& textColor() const { return textColor_; }
    void setTextColor(Color color);
    double fontSize() const { return fontSize_; }
    void setFontSize(double points);
    TextAlignment alignment() const { return alignment_; }
    void setAlignment(TextAlignment alignment);

    bool isEditable() const { return editable_; }
    void setEditable(bool editable);
    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable);

    // The field has the keyboard focus and takes typing.
    bool isEditing() const { return editing_; }
    void beginEditing();
    // Gives up the focus without sending anything.
    void abortEditing();
    // The person finished typing (Return, or the focus moved on): the
    // editing ends and the action is sent. Only an editable field that is
    // being edited ends its editing; answers whether it did.
    bool endEditing();

  private:
    std::vector<TextRun> runs_;
    Color textColor_ = Color::black();
    double fontSize_ = 13;
    TextAlignment alignment_ = TextAlignment::Natural;
    bool editable_ = false;
    bool selectable_ = false;
    bool editing_ = false;
};

}  // namespace wexo::ui
