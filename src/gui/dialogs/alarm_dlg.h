#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include "common/dialog_context_help.h"

#include "alarm/alarm_setting.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace wb {
class CAlarmStore;
struct AlarmOutcome;
}  // namespace wb

namespace wb::gui {

class CUpDownCtrl;

// The modeless dialog in which the user keeps the group alarms. It edits a working copy of
// the alarm list, one alarm in the fields at a time: the one selected in the combo box of
// group files, whose item index is the list's index. OK hands the whole copy to the store
// (the alarms take effect at once); Cancel drops it. At most one is open: the shell keeps it.
class CAlarmDlg final : public CHelpDialog {
    Q_OBJECT
public:
    static constexpr int kGroupId = 1001;
    static constexpr int kBrowseId = 1018;
    static constexpr int kAddId = 1019;
    static constexpr int kRemoveId = 1020;
    static constexpr int kFirstAddrId = 1325;
    static constexpr int kFirstDayId = 1501;  // Sunday; 1501 + k is bit 0x02 << k
    static constexpr int kHourSpinId = 1412;
    static constexpr int kHourId = 1413;
    static constexpr int kMinuteSpinId = 1414;
    static constexpr int kMinuteId = 1415;
    static constexpr int kAmPmSpinId = 1416;
    static constexpr int kAmPmId = 1417;

    // Edits the alarms of `store`, which outlives the dialog.
    explicit CAlarmDlg(CAlarmStore& store, QWidget* parent = nullptr);
    ~CAlarmDlg() override;

    // Fills the fields and shows the window; false when it could not be made.
    bool Create();

    // Asked on OK when another program changed the store since the dialog opened.
    static const char kStoreChangedText[];

    // The working list as it stands (for tests and the screenshots).
    const AlarmList& WorkingList() const { return m_list; }
    int CurrentIndex() const { return m_nCurSel; }

public slots:
    void accept() override;
    void OnOK();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void OnInitDialog();
    void OnBrowse();
    void OnAdd();
    void OnRemove();
    void OnSelChangeGroup(int index);
    void OnEditChangeGroup();
    void OnDeltaPosAmPm();
    void OnSpinNumber(QLineEdit* buddy, int min, int max, int delta);
    void OnFieldEdited() { m_bEdited = true; }

    void ReadStore();
    bool SaveToStore();
    void ReloadFromStore();
    bool UpdateData();
    void ShowCurrent();
    void CollectCurrent();
    void StoreCurrentAt(int index);
    // The list's name of an alarm: file, days and time.
    static QString AlarmLabel(const CAlarmSetting& alarm);
    void LabelItems();
    void SetButtons(bool add, bool remove, bool ok);
    void SelectItem(int index);
    void DestroyWindow();
    // The text of an outcome that is not done, in a message box owned by `owner`.
    static void ShowOutcome(const AlarmOutcome& outcome, QWidget* owner);

    CAlarmStore* m_pStore;
    std::array<QCheckBox*, 7> m_checkDay{};  // Sunday first
    QComboBox* m_comboGroup = nullptr;
    CUpDownCtrl* m_spinAmPm = nullptr;
    CUpDownCtrl* m_spinHour = nullptr;
    CUpDownCtrl* m_spinMinute = nullptr;
    QLineEdit* m_editAmPm = nullptr;
    QLineEdit* m_editHour = nullptr;
    QLineEdit* m_editMinute = nullptr;
    std::array<QLineEdit*, 4> m_editAddr{};
    QPushButton* m_btnBrowse = nullptr;
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnRemove = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;

    QString m_strAmPm = QStringLiteral("AM");
    unsigned m_nHour = 12;
    unsigned m_nMinute = 30;
    std::array<unsigned, 4> m_nAddr{255, 255, 255, 255};
    CAlarmSetting m_current;
    AlarmList m_list;
    int m_nCurSel = -1;
    // Whether the user has changed the fields since an alarm was put into them. An alarm
    // whose fields were left alone keeps its record as stored, even a value the fields
    // cannot hold.
    bool m_bEdited = false;
    // The store's bytes on disk when the dialog read it (nullopt: there was none); OK
    // writes over the store only while it still holds them, or when the user says so.
    std::optional<std::string> m_opened;
};

}  // namespace wb::gui
