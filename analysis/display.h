// What one click on Analyze shows: the pure step from the field texts to the
// texts, panel and focus that the window applies.
#pragma once

#include <string>
#include <vector>

#include "pattern.h"

namespace plovatrix {

enum class ClickOutcome {
    CheckFailed,  // the focus moves to `focus`; nothing else changes
    NoPattern,    // "No Certain Pattern Found"; the labels below were written first
    Result,       // a ratio pair matched
};

struct LabelWrite {
    const char* control;  // objectName: "lbla", "legab(0)", "tp11", ...
    std::string text;
};

struct ClickDisplay {
    ClickOutcome outcome = ClickOutcome::CheckFailed;
    InputField focus = InputField::A;                     // CheckFailed only
    PatternDirection direction = PatternDirection::None;  // NoPattern and Result
    std::string panel;                                    // "pic1", "pic2" or "" (no direction)
    std::string hiddenPanel;                              // the other one
    std::string noMatchLabel;                             // "noma1"/"noma2": hidden on a Result
    std::vector<LabelWrite> labels;                       // in the order the click writes them
    double priceD = 0;                                    // Result only
};

// The whole click after the spinner reset: checks, direction, every label text.
// decimalPoint is the user's locale's, for the numbers that stand alone.
ClickDisplay ComposeClick(const FieldTexts& fields, std::string_view decimalPoint = ".");

}  // namespace plovatrix
