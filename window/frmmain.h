// The main window: pattern selection, the 4-point strip, Analyze and the two
// result panels with their stop spinners.
#pragma once

#include <QWidget>
#include <array>
#include <vector>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace plovatrix::win {
class TextBox;
class UpDown;
}  // namespace plovatrix::win

class frmmain : public QWidget {
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

    // Swallows the rest of the double-click whose first click, at event time
    // clickTime, opened this window: it would press whatever lies under it.
    void SwallowRestOfDoubleClick(ulong clickTime);

signals:
    // Form_Load has run to its end; a splash that opened first unloads on it.
    void Loaded();

protected:
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;

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
    bool InView(const QWidget* control) const;
    void SetSize(int widthTwips, int heightTwips);
    void FitFrame();
    void StopLabel(plovatrix::win::UpDown* spinner, QLineEdit* distance, QLabel* stop,
                   bool bullish);

    template <typename T>
    T* Control(const char* name) const;

    double PipSize_ = 0;
    double PriceD_ = 0;
    QSize outerSize_;
    // What the frame adds to the client area in the normal state, once known.
    QSize frame_{0, 0};
    bool frameFitted_ = false;
    // Shown at the full size until the compositor has placed it (Wayland).
    bool placing_ = false;
    bool loaded_ = false;

    QAbstractButton *chk4p, *chk5p, *cmdana;
    QGroupBox *frame4, *Frame5;
    plovatrix::win::TextBox *txta4, *txtb4, *txtc4, *txtab4, *txtbc4, *txttol4;
    QLineEdit *txtts1, *txtts2;
    QLabel *lblb4, *noma1, *noma2, *sl1, *sl2;
    QComboBox* cmbpoint;
    QWidget *pic1, *pic2;
    plovatrix::win::UpDown *ud1, *ud2;

    std::array<Field, 6> fields_;
    // The strip's inputs in the order of InputField, where a failed check sends the focus.
    std::array<QWidget*, 7> inputs_;
    // Each result label, on the bullish and on the bearish panel.
    std::vector<std::array<QLabel*, 2>> results_;
};
