#include "dialogs/alarm_dlg.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

#include "alarm/alarm_store.h"
#include "base/message_box.h"
#include "base/string_table.h"
#include "common/dialog_context_help.h"
#include "common/dialog_data_exchange.h"
#include "common/help.h"
#include "common/ui_seam.h"

namespace wb::gui {

namespace {

// The combo box's items keep the file alone as their text (the edit field shows it); the
// list names each alarm by file, days and time, so that two alarms of one file differ.
constexpr int kAlarmLabelRole = Qt::UserRole + 1;

class CAlarmLabelDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString label = index.data(kAlarmLabelRole).toString();
        if (!label.isEmpty()) option->text = label;
    }
};

bool SameAlarm(const CAlarmSetting& a, const CAlarmSetting& b) {
    return a.m_strGroupFile == b.m_strGroupFile && a.m_nDays == b.m_nDays &&
           a.m_nHour == b.m_nHour && a.m_nMinute == b.m_nMinute;
}

}  // namespace

QString CAlarmDlg::AlarmLabel(const CAlarmSetting& alarm) {
    static const char* const kDays[] = {QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周日"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周一"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周二"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周三"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周四"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周五"),
                                        QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "周六")};
    QStringList days;
    for (int k = 0; k < 7; ++k) {
        if (alarm.m_nDays & (0x02u << k)) days << tr(kDays[k]);
    }
    const QString when = days.size() == 7 ? tr("每天")
                         : days.isEmpty() ? tr("无日期")
                                          : days.join(QLatin1Char(' '));
    return QStringLiteral("%1   %2  %3:%4")
        .arg(QString::fromStdString(alarm.m_strGroupFile), when)
        .arg(alarm.m_nHour, 2, 10, QLatin1Char('0'))
        .arg(alarm.m_nMinute, 2, 10, QLatin1Char('0'));
}

void CAlarmDlg::LabelItems() {
    int widest = 0;
    for (std::size_t i = 0; i < m_list.size() && static_cast<int>(i) < m_comboGroup->count(); ++i) {
        const QString label = AlarmLabel(*m_list[i]);
        m_comboGroup->setItemData(static_cast<int>(i), label, kAlarmLabelRole);
        widest = std::max(widest, fontMetrics().horizontalAdvance(label));
    }
    // The list may grow wider than the field, up to half the screen, so the days show.
    const int most = screen() ? screen()->availableGeometry().width() / 2 : 600;
    m_comboGroup->view()->setMinimumWidth(std::min(widest + 32, most));
}

// An up-down control: two small arrows beside a field; every press reports +1 or -1.
class CUpDownCtrl final : public QWidget {
public:
    CUpDownCtrl(int id, QWidget* parent, std::function<void(int)> onPress)
        : QWidget(parent), m_onPress(std::move(onPress)) {
        setObjectName(QStringLiteral("ctl%1").arg(id));
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        for (int delta : {+1, -1}) {
            auto* arrow = new QToolButton(this);
            arrow->setObjectName(delta > 0 ? QStringLiteral("up") : QStringLiteral("down"));
            arrow->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
            arrow->setAutoRepeat(true);
            arrow->setFocusPolicy(Qt::NoFocus);
            arrow->setFixedSize(16, 11);
            connect(arrow, &QToolButton::clicked, this, [this, delta] { m_onPress(delta); });
            column->addWidget(arrow);
        }
    }
    void Press(int delta) { m_onPress(delta); }

private:
    std::function<void(int)> m_onPress;
};

namespace {

const QString kAm = QStringLiteral("AM");
const QString kPm = QStringLiteral("PM");

QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

// The decimal value of a text as atoi reads it.
int DecimalValue(const QString& text) { return std::atoi(text.toStdString().c_str()); }

const char* const kDayNames[7] = {QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期日"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期一"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期二"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期三"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期四"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期五"),
                                  QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg", "星期六")};

}  // namespace

CAlarmDlg::CAlarmDlg(CAlarmStore& store, QWidget* parent) : CHelpDialog(parent), m_pStore(&store) {
    setWindowTitle(tr("设置组提醒"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    BuildLayout();
    connect(this, &QDialog::finished, this, &CAlarmDlg::DestroyWindow);
}

CAlarmDlg::~CAlarmDlg() = default;

void CAlarmDlg::BuildLayout() {
    auto* grid = new QGridLayout(this);
    auto edit = [this](int id, int width, Qt::Alignment align = Qt::AlignLeft) {
        auto* e = new QLineEdit(this);
        e->setObjectName(ControlName(id));
        e->setAlignment(align);
        e->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0")) * width + 10);
        connect(e, &QLineEdit::textEdited, this, &CAlarmDlg::OnFieldEdited);
        return e;
    };
    auto button = [this](int id, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(ControlName(id));
        // No button is the default one, so Enter in a field presses none (keyPressEvent).
        b->setAutoDefault(false);
        return b;
    };

    grid->addWidget(new QLabel(tr("包含组列表的文件:"), this), 0, 0);
    m_comboGroup = new QComboBox(this);
    m_comboGroup->setObjectName(ControlName(kGroupId));
    m_comboGroup->setEditable(true);
    m_comboGroup->setInsertPolicy(QComboBox::NoInsert);
    // A plain drop-down: the text typed is the text taken, with no completion from the
    // list, and the selection changes only when the user picks an item, never because the
    // typed text matches one (that would show, and then change, another alarm).
    m_comboGroup->setCompleter(nullptr);
    disconnect(m_comboGroup->lineEdit(), &QLineEdit::editingFinished, m_comboGroup, nullptr);
    disconnect(m_comboGroup->lineEdit(), &QLineEdit::returnPressed, m_comboGroup, nullptr);
    m_comboGroup->setMaxVisibleItems(8);
    m_comboGroup->setItemDelegate(new CAlarmLabelDelegate(m_comboGroup));
    m_comboGroup->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 22);
    m_comboGroup->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    grid->addWidget(m_comboGroup, 1, 0);
    m_btnBrowse = button(kBrowseId, tr("浏览..."));
    grid->addWidget(m_btnBrowse, 1, 1);

    grid->addWidget(new QLabel(tr("IP 广播地址:"), this), 2, 0);
    auto* addrRow = new QHBoxLayout;
    addrRow->setSpacing(2);
    for (int k = 0; k < 4; ++k) {
        m_editAddr[k] = edit(kFirstAddrId + k, 3);
        addrRow->addWidget(m_editAddr[k]);
    }
    addrRow->addStretch();
    grid->addLayout(addrRow, 3, 0);
    m_btnAdd = button(kAddId, tr("添加"));
    grid->addWidget(m_btnAdd, 3, 1);

    auto* alarmBox = new QGroupBox(tr("设置提醒"), this);
    auto* box = new QGridLayout(alarmBox);
    for (int k = 0; k < 7; ++k) {
        auto* check = new QCheckBox(tr(kDayNames[k]), alarmBox);
        check->setObjectName(ControlName(kFirstDayId + k));
        connect(check, &QCheckBox::clicked, this, &CAlarmDlg::OnFieldEdited);
        m_checkDay[k] = check;
    }
    // Monday to Friday down the left, Saturday and Sunday under the time.
    for (int k = 1; k <= 5; ++k)
        box->addWidget(m_checkDay[k], k - 1, 0);
    box->addWidget(m_checkDay[6], 3, 1);
    box->addWidget(m_checkDay[0], 4, 1);

    auto* time = new QGridLayout;
    time->setHorizontalSpacing(2);
    time->addWidget(new QLabel(tr("唤醒时间:"), alarmBox), 0, 0, 1, 6);
    time->addWidget(new QLabel(tr("时:"), alarmBox), 1, 0, 1, 2);
    time->addWidget(new QLabel(tr("分:"), alarmBox), 1, 2, 1, 2);
    m_editHour = edit(kHourId, 2, Qt::AlignRight);
    m_editMinute = edit(kMinuteId, 2, Qt::AlignRight);
    m_editAmPm = edit(kAmPmId, 2);
    m_editAmPm->setReadOnly(true);
    m_editAmPm->setMaxLength(2);
    m_spinHour = new CUpDownCtrl(kHourSpinId, alarmBox,
                                 [this](int d) { OnSpinNumber(m_editHour, 1, 12, d); });
    m_spinMinute = new CUpDownCtrl(kMinuteSpinId, alarmBox,
                                   [this](int d) { OnSpinNumber(m_editMinute, 0, 59, d); });
    m_spinAmPm = new CUpDownCtrl(kAmPmSpinId, alarmBox, [this](int) { OnDeltaPosAmPm(); });
    time->addWidget(m_editHour, 2, 0);
    time->addWidget(m_spinHour, 2, 1);
    time->addWidget(m_editMinute, 2, 2);
    time->addWidget(m_spinMinute, 2, 3);
    time->addWidget(m_editAmPm, 2, 4);
    time->addWidget(m_spinAmPm, 2, 5);
    box->addLayout(time, 0, 1, 3, 1);
    box->setColumnStretch(2, 1);
    grid->addWidget(alarmBox, 4, 0, 3, 1);

    m_btnRemove = button(kRemoveId, tr("移除"));
    m_btnOk = button(1, tr("确定"));
    m_btnCancel = button(2, tr("取消"));
    // OK is a plain button: neither the default one nor a tab stop.
    m_btnOk->setFocusPolicy(Qt::ClickFocus);
    auto* right = new QVBoxLayout;
    right->addWidget(m_btnRemove);
    right->addWidget(m_btnOk);
    right->addStretch();
    right->addWidget(m_btnCancel);
    grid->addLayout(right, 4, 1, 3, 1);
    grid->setRowStretch(6, 1);

    for (QLineEdit* e : {m_editHour, m_editMinute, m_editAmPm})
        e->installEventFilter(this);

    connect(m_btnBrowse, &QPushButton::clicked, this, &CAlarmDlg::OnBrowse);
    connect(m_btnAdd, &QPushButton::clicked, this, &CAlarmDlg::OnAdd);
    connect(m_btnRemove, &QPushButton::clicked, this, &CAlarmDlg::OnRemove);
    connect(m_btnOk, &QPushButton::clicked, this, &CAlarmDlg::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_comboGroup, &QComboBox::activated, this, &CAlarmDlg::OnSelChangeGroup);
    connect(m_comboGroup->lineEdit(), &QLineEdit::textEdited, this, &CAlarmDlg::OnEditChangeGroup);

    SetContextHelp(m_comboGroup, 0x808403E9u);
    SetContextHelp(m_btnBrowse, 0x808403FAu);
    for (QLineEdit* e : m_editAddr)
        SetContextHelp(e, 0x8084052Du);
    for (QCheckBox* c : m_checkDay)
        SetContextHelp(c, 0x808405E2u);
    for (QWidget* w : {static_cast<QWidget*>(m_editAmPm), static_cast<QWidget*>(m_editHour),
                       static_cast<QWidget*>(m_editMinute), static_cast<QWidget*>(m_spinAmPm),
                       static_cast<QWidget*>(m_spinHour), static_cast<QWidget*>(m_spinMinute)})
        SetContextHelp(w, 0x80840589u);
    SetContextHelp(m_btnAdd, 0x808403FBu);
    SetContextHelp(m_btnRemove, 0x808403FCu);
    SetContextHelp(m_btnOk, 0x80840004u);
    SetContextHelp(m_btnCancel, 0x80840003u);

    // The template's tab order.
    QList<QWidget*> order{m_comboGroup, m_btnBrowse};
    for (QLineEdit* e : m_editAddr)
        order << e;
    for (int k : {1, 2, 3, 4, 5, 6, 0})
        order << m_checkDay[k];
    order << m_editAmPm << m_btnAdd << m_btnRemove << m_btnCancel << m_editHour << m_editMinute;
    for (int k = 0; k + 1 < order.size(); ++k)
        setTabOrder(order[k], order[k + 1]);
}

bool CAlarmDlg::Create() {
    OnInitDialog();
    return ShowCentredOnOwner();
}

const char CAlarmDlg::kStoreChangedText[] =
    QT_TRANSLATE_NOOP("wb::gui::CAlarmDlg",
                      "文件 DwnGs 中的提醒设置已被另一个程序更改.\n\n"
                      "是: 用这里的设置覆盖另一个程序的更改.\n"
                      "否: 重新载入文件中的设置, 放弃这里的更改.\n"
                      "取消: 返回对话框.");

// The dialog starts from the store as it is on disk now, not as the program loaded it: the
// command line or another program may have changed it since. With no store on disk the
// program's own list stands (it may hold alarms that could not be saved).
void CAlarmDlg::ReadStore() {
    m_opened.reset();
    if (!m_pStore) return;
    StoreBytes bytes;
    if (!m_pStore->ReadStoreBytes(bytes)) return;
    m_opened = bytes;
    if (bytes) m_pStore->LoadAlarms();
}

void CAlarmDlg::OnInitDialog() {
    ReadStore();
    m_comboGroup->setEditText(QString());
    for (int k = 0; k < 4; ++k)
        m_editAddr[k]->setText(QString::number(m_nAddr[k]));
    m_editAmPm->setText(m_strAmPm);
    m_editHour->setText(QString::number(m_nHour));
    m_editMinute->setText(QString::number(m_nMinute));

    const AlarmList none;
    const AlarmList& alarms = m_pStore ? m_pStore->m_alarms : none;
    if (alarms.empty()) {
        SetButtons(false, false, false);
        return;
    }
    m_list = CopyAlarmList(alarms);
    for (const AlarmPtr& alarm : m_list)
        m_comboGroup->addItem(QString::fromStdString(alarm->m_strGroupFile));
    LabelItems();
    m_nCurSel = 0;
    SelectItem(0);
    m_current.CopyFrom(*m_list[0]);
    ShowCurrent();
}

void CAlarmDlg::SetButtons(bool add, bool remove, bool ok) {
    m_btnAdd->setEnabled(add);
    m_btnRemove->setEnabled(remove);
    m_btnOk->setEnabled(ok);
}

void CAlarmDlg::SelectItem(int index) {
    const QSignalBlocker quiet(m_comboGroup);
    m_comboGroup->setCurrentIndex(index);
}

bool CAlarmDlg::UpdateData() {
    if (!ExchangeMaxChars(this, m_editAmPm, 2)) return false;
    m_strAmPm = m_editAmPm->text();
    if (!ExchangeUInt(this, m_editHour, 1, 12, m_nHour)) return false;
    if (!ExchangeUInt(this, m_editMinute, 0, 59, m_nMinute)) return false;
    for (int k = 0; k < 4; ++k)
        if (!ExchangeUInt(this, m_editAddr[k], 0, 255, m_nAddr[k])) return false;
    return true;
}

void CAlarmDlg::ShowCurrent() {
    // Three numbers and the rest: a stored text the four fields cannot hold is shown
    // whole across them rather than cut short.
    const QStringList pieces = QString::fromStdString(m_current.m_strBroadcast)
                                   .split(QLatin1Char('.'), Qt::SkipEmptyParts);
    for (int k = 0; k < 4; ++k) {
        const QString text = k < 3 ? pieces.value(k) : pieces.mid(3).join(QLatin1Char('.'));
        m_editAddr[k]->setText(text);
    }
    for (int k = 0; k < 7; ++k)
        m_checkDay[k]->setChecked((m_current.m_nDays & (0x02u << k)) != 0);

    const int hour = m_current.m_nHour;
    if (hour >= 0 && hour <= 23) {
        m_strAmPm = hour >= 12 ? kPm : kAm;
        m_editHour->setText(QString::number(hour % 12 == 0 ? 12 : hour % 12));
    } else {
        // Not a time of day: shown as stored, so that it is seen and not silently changed.
        m_strAmPm = kAm;
        m_editHour->setText(QString::number(hour));
    }
    m_editAmPm->setText(m_strAmPm);
    m_editMinute->setText(QString::number(m_current.m_nMinute));
    m_bEdited = false;
}

void CAlarmDlg::CollectCurrent() {
    m_current.m_strGroupFile = m_comboGroup->currentText().toStdString();
    QStringList addr;
    for (QLineEdit* e : m_editAddr)
        addr << e->text();
    m_current.m_strBroadcast = addr.join(QLatin1Char('.')).toStdString();
    unsigned days = 0;
    for (int k = 0; k < 7; ++k)
        if (m_checkDay[k]->isChecked()) days |= 0x02u << k;
    m_current.m_nDays = static_cast<std::uint8_t>(days);
    m_nHour =
        static_cast<unsigned>(DecimalValue(m_editHour->text()) % 12 + (m_strAmPm == kPm ? 12 : 0));
    m_current.m_nHour = static_cast<std::int32_t>(m_nHour);
    m_nMinute = static_cast<unsigned>(DecimalValue(m_editMinute->text()));
    m_current.m_nMinute = static_cast<std::int32_t>(m_nMinute);
}

void CAlarmDlg::StoreCurrentAt(int index) {
    // The combo box already shows the newly chosen item: the alarm keeps its own file.
    const std::string file = m_list[index]->m_strGroupFile;
    CollectCurrent();
    m_current.m_strGroupFile = file;
    m_list[index]->CopyFrom(m_current);
    LabelItems();
}

void CAlarmDlg::OnSelChangeGroup(int /*index*/) {
    if (m_bEdited) {
        if (!UpdateData()) {
            SelectItem(m_nCurSel);
            return;
        }
        if (m_nCurSel != -1) StoreCurrentAt(m_nCurSel);
    }
    const int i = m_comboGroup->currentIndex();
    if (i < 0) {
        SetButtons(false, true, true);
        return;
    }
    SetButtons(true, true, true);
    m_current.CopyFrom(*m_list[static_cast<std::size_t>(i)]);
    ShowCurrent();
    m_nCurSel = i;
}

void CAlarmDlg::OnEditChangeGroup() { SetButtons(true, false, false); }

void CAlarmDlg::OnBrowse() {
    const QStringList chosen =
        CUiSeam::GetOpenFileNames(this, tr("打开"), tr("远程启动组文件(*.mp);;所有文件 (*.*)"));
    if (chosen.isEmpty()) return;
    m_comboGroup->setEditText(QFileInfo(chosen.front()).absoluteFilePath());
    SetButtons(true, false, false);
}

void CAlarmDlg::ShowOutcome(const AlarmOutcome& outcome, QWidget* owner) {
    CUiSeam::Message(
        owner, QString::fromStdString(outcome.text), QMessageBox::Ok,
        outcome.icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
        AppTitle());
}

void CAlarmDlg::OnAdd() {
    if (const AlarmOutcome room = CheckRoomForAlarm(m_list); !room.Done()) {
        ShowOutcome(room, this);
        SetButtons(false, true, true);
        return;
    }
    // Kept as the absolute name, so that whichever program fires the alarm, from whatever
    // directory, finds the file the user meant.
    std::string absolute;
    const AlarmOutcome file =
        ResolveGroupFile(m_comboGroup->currentText().toStdString(),
                         m_pStore ? m_pStore->m_strStartDir : std::string(), absolute);
    if (UpdateData() && file.Done()) {
        const QString path = QString::fromStdString(absolute);
        CollectCurrent();
        m_current.m_strGroupFile = absolute;
        // A second alarm of the same file, days and time would only wake the group twice.
        for (const AlarmPtr& alarm : m_list) {
            if (!SameAlarm(*alarm, m_current)) continue;
            CUiSeam::Message(this, tr("已有相同的提醒:\n%1").arg(AlarmLabel(m_current)),
                             QMessageBox::Ok, QMessageBox::Warning, AppTitle());
            return;
        }
        {
            const QSignalBlocker quiet(m_comboGroup);
            m_comboGroup->addItem(path);
        }
        m_list.push_back(std::make_shared<CAlarmSetting>(m_current));
        LabelItems();
        m_nCurSel = static_cast<int>(m_list.size()) - 1;
        SelectItem(m_nCurSel);
        m_btnRemove->setEnabled(true);
        m_btnOk->setEnabled(true);
        m_bEdited = false;
    } else if (!file.Done()) {
        ShowOutcome(file, this);
        SetButtons(false, false, false);
    }
}

void CAlarmDlg::OnRemove() {
    const int i = m_comboGroup->currentIndex();
    if (i == m_nCurSel) m_nCurSel = -1;
    const AlarmOutcome removed =
        RemoveAlarm(m_list, i < 0 ? m_list.size() : static_cast<std::size_t>(i));
    if (!removed.Done()) {
        ShowOutcome(removed, nullptr);
        SetButtons(false, false, false);
        return;
    }
    {
        const QSignalBlocker quiet(m_comboGroup);
        m_comboGroup->removeItem(i);
        m_comboGroup->setCurrentIndex(-1);
        m_comboGroup->setEditText(QString());
    }
    // The alarm in the fields moves up with the list.
    if (m_nCurSel > i) --m_nCurSel;
}

void CAlarmDlg::accept() { OnOK(); }

void CAlarmDlg::OnOK() {
    if (!m_btnOk->isEnabled()) return;
    if (m_bEdited) {
        if (!UpdateData()) return;
        const int i = m_comboGroup->currentIndex();
        if (i >= 0) {
            CollectCurrent();
            m_list[static_cast<std::size_t>(i)]->CopyFrom(m_current);
        }
    }
    if (!SaveToStore()) return;
    QDialog::done(QDialog::Accepted);
}

// False when the dialog stays open: the user chose to reload the other program's alarms,
// or to go back to editing.
bool CAlarmDlg::SaveToStore() {
    if (!m_pStore) return true;
    // Each Yes overwrites only the store the user was asked about; going back to editing
    // leaves the next OK to ask again.
    StoreBytes expected = m_opened;
    while (true) {
        const AlarmOutcome saved = m_pStore->ReplaceAlarms(m_list, expected);
        if (saved.code != AlarmOutcome::Code::StoreChanged) {
            // As ever, the accepted alarms take effect even when they could not be saved.
            if (!saved.Done()) ShowOutcome(saved, nullptr);
            return true;
        }
        // Asked outside the lock, so that nobody waits on the user; the store is compared
        // again when it is taken next.
        switch (CUiSeam::Message(this, tr(kStoreChangedText),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Warning, AppTitle())) {
            case QMessageBox::Yes:
                continue;
            case QMessageBox::No:
                ReloadFromStore();
                return false;
            default:
                return false;
        }
    }
}

void CAlarmDlg::ReloadFromStore() {
    {
        const QSignalBlocker quiet(m_comboGroup);
        m_comboGroup->clear();
    }
    m_list.clear();
    m_nCurSel = -1;
    m_bEdited = false;
    SetButtons(true, true, true);
    OnInitDialog();
}

void CAlarmDlg::OnDeltaPosAmPm() {
    m_strAmPm = m_editAmPm->text() == kAm ? kPm : kAm;
    m_editAmPm->setText(m_strAmPm);
    m_bEdited = true;
}

void CAlarmDlg::OnSpinNumber(QLineEdit* buddy, int min, int max, int delta) {
    bool ok = false;
    int pos = buddy->text().trimmed().toInt(&ok);
    if (!ok || pos < min || pos > max) pos = delta > 0 ? max : min;
    pos += delta;
    if (pos > max) pos = min;
    if (pos < min) pos = max;
    buddy->setText(QString::number(pos));
    m_bEdited = true;
}

void CAlarmDlg::DestroyWindow() {
    hide();
    deleteLater();
}

void CAlarmDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus, as Space does, and nothing else.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) focused->click();
        return;
    }
    CHelpDialog::keyPressEvent(event);
}

bool CAlarmDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const int delta = key == Qt::Key_Up ? 1 : -1;
            if (watched == m_editHour) m_spinHour->Press(delta);
            if (watched == m_editMinute) m_spinMinute->Press(delta);
            if (watched == m_editAmPm) m_spinAmPm->Press(delta);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace wb::gui
