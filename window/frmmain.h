// The main window: pattern selection, the 4-point strip, Analyze and the two
// result panels with their stop spinners.
#pragma once

#include <QWidget>
#include <array>

#include "layout.h"

class QLineEdit;

namespace plovatrix::win {
class WindowGeometry;
}  // namespace plovatrix::win

// Its controls are members, as the builder made them.
class frmmain : public QWidget, private plovatrix::win::MainControls {
    Q_OBJECT

public:
    // Now: building the window loads it, Form_Load runs before the constructor
    // returns. AtShow: built ahead and hidden; the first show loads it, as the
    // show of a form not yet loaded does.
    enum class Loading { Now, AtShow };
    explicit frmmain(QWidget* parent = nullptr, Loading loading = Loading::Now);

    void setVisible(bool visible) override;

    double PipSize() const { return PipSize_; }
    double PriceD() const { return PriceD_; }

signals:
    // Form_Load has run to its end; a splash that opened first unloads on it.
    void Loaded();

protected:
    bool event(QEvent* event) override;

private:
    // A field of the strip and whether its value may be 0.
    struct Field {
        plovatrix::win::TextBox* box;
        bool zeroAllowed;
    };

    void Form_Load();
    void chk4p_Click();
    void chk5p_Click();
    void cmbpoint_Click();
    void ud1_Change();
    void ud2_Change();
    void txtb4_Change();
    void cmdana_Click();
    void ReportNoPattern();
    // The Validate handler every field of the strip shares.
    void Field_Validate(const Field& field, bool& cancel);
    bool MayLeave(QWidget* focused);

    void SetFocus(QWidget* control);
    void StopLabel(plovatrix::win::UpDown* spinner, QLineEdit* distance,
                   plovatrix::win::ClassicLabel* stop, bool bullish);

    double PipSize_ = 0;
    double PriceD_ = 0;
    bool loaded_ = false;
    plovatrix::win::WindowGeometry* geometry_;

    std::array<Field, 6> fields_;
    // The strip's inputs in the order of InputField, where a failed check sends the focus.
    std::array<QWidget*, 7> inputs_;
};
