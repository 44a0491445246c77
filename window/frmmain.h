// The main window: pattern selection, the 4-point strip, Analyze and the two
// result panels with their stop spinners.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace plovatrix::win {
class UpDown;
}

class frmmain : public QWidget {
    Q_OBJECT

public:
    // Now: building the window loads it, Form_Load runs before the constructor
    // returns. AtShow: built ahead and hidden; the first show loads it, as the
    // show of a form not yet loaded does.
    enum class Loading { Now, AtShow };
    explicit frmmain(QWidget* parent = nullptr, Loading loading = Loading::Now);
    ~frmmain() override;

    void setVisible(bool visible) override;

    double PipSize() const { return PipSize_; }
    double PriceD() const { return PriceD_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void Form_Load();
    void chk4p_Click();
    void chk5p_Click();
    void cmbpoint_Click();
    void ud1_Change();
    void ud2_Change();
    void txtb4_Change();
    void cmdana_Click();
    void ReportNoPattern();

    // Each field selects its text on focus and refuses to let the focus go
    // while its text is not an acceptable number.
    void txta4_GotFocus();
    void txtb4_GotFocus();
    void txtc4_GotFocus();
    void txtab4_GotFocus();
    void txtbc4_GotFocus();
    void txttol4_GotFocus();
    void txta4_Validate(bool& cancel);
    void txtb4_Validate(bool& cancel);
    void txtc4_Validate(bool& cancel);
    void txtab4_Validate(bool& cancel);
    void txtbc4_Validate(bool& cancel);
    void txttol4_Validate(bool& cancel);
    void ValidateField(QLineEdit* box, bool zeroAllowed, bool& cancel);

    void GotFocus(QLineEdit* box);
    void SetFocus(QWidget* control);
    bool InView(const QWidget* control) const;
    // Runs the Validate handler of the field that has the focus; true keeps it.
    bool ValidationCancels();
    bool WouldTakeFocus(QWidget* target) const;
    void SetSize(int widthTwips, int heightTwips);
    void FitFrame();
    void StopLabel(plovatrix::win::UpDown* spinner, QLineEdit* distance, QLabel* stop,
                   bool bullish);

    template <typename T>
    T* Control(const char* name) const;

    // The result labels by name, so an analysis does not search the tree.
    QHash<QString, QLabel*> labels_;

    double PipSize_ = 0;
    double PriceD_ = 0;
    QSize outerSize_;
    bool validating_ = false;
    bool frameFitted_ = false;
    bool loaded_ = false;
    QPointer<QLineEdit> selectOnRelease_;

    QAbstractButton *chk4p, *chk5p, *cmdana;
    QGroupBox *frame4, *Frame5;
    QLineEdit *txta4, *txtb4, *txtc4, *txtab4, *txtbc4, *txttol4, *txtts1, *txtts2;
    QLabel *lblb4, *noma1, *noma2, *sl1, *sl2;
    QComboBox* cmbpoint;
    QWidget *pic1, *pic2;
    plovatrix::win::UpDown *ud1, *ud2;
};
