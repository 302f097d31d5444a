#include "platform/dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <algorithm>

#include "core/random.h"
#include "platform/strings.h"
#include "resources/resources.h"

namespace quorlin::platform {

namespace {

std::vector<const DialogTemplate*>& Registered() {
    static std::vector<const DialogTemplate*> registered;
    return registered;
}

// The one-input dialog, for as long as the resources do not define "ONEINPUT".
constexpr ControlTemplate kBuiltInOneInput[] = {
    {ControlKind::Static, resources::kOneInputPromptId, "", 0, 0, 2},
    {ControlKind::Edit, resources::kOneInputEditId, "", 1, 0, 2},
    {ControlKind::DefButton, kIdOk, "OK", 2, 0},
    {ControlKind::Button, kIdCancel, "Cancel", 2, 1},
};
constexpr DialogTemplate kBuiltIns[] = {{"ONEINPUT", "input", kBuiltInOneInput}};

// Stand-in controls of a dialog whose template is missing.
constexpr ControlTemplate kMissingControls[] = {
    {ControlKind::DefButton, kIdOk, "OK", 0, 0},
    {ControlKind::Button, kIdCancel, "Cancel", 0, 1},
};

std::map<std::string, QPoint, std::less<>>& Positions() {
    static std::map<std::string, QPoint, std::less<>> positions;
    return positions;
}

Dialog::Runner& CurrentRunner() {
    static Dialog::Runner runner;
    return runner;
}

bool IsButtonKind(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::DefButton ||
           kind == ControlKind::CheckBox || kind == ControlKind::Radio;
}

// Blocks the notifications that programmatic changes would send.
class Silence {
public:
    explicit Silence(int& depth) : depth_(depth) { ++depth_; }
    ~Silence() { --depth_; }

private:
    int& depth_;
};

}  // namespace

const DialogTemplate* FindDialogTemplate(std::string_view name) {
    for (const DialogTemplate* t : Registered()) {
        if (t->name == name) return t;
    }
    if (const DialogTemplate* t = resources::FindDialog(name)) return t;
    for (const DialogTemplate& t : kBuiltIns) {
        if (t.name == name) return &t;
    }
    return nullptr;
}

void RegisterDialogTemplate(const DialogTemplate& tmpl) {
    Registered().insert(Registered().begin(), &tmpl);
}

void UnregisterDialogTemplates() {
    Registered().clear();
}

Dialog::Dialog(QWidget* parent, std::string_view templateName)
    : QDialog(parent), name_(templateName), template_(FindDialogTemplate(templateName)) {}

Dialog::Dialog(QWidget* parent, const DialogTemplate& tmpl)
    : QDialog(parent), name_(tmpl.name), template_(&tmpl) {}

Dialog::~Dialog() = default;

void Dialog::Build() {
    if (built_) return;
    built_ = true;
    setWindowTitle(template_ ? FromResourceText(template_->caption) : FromResourceText(name_));
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    const std::span<const ControlTemplate> controls =
        template_ ? template_->controls : std::span<const ControlTemplate>(kMissingControls);
    const bool hasDefault = std::any_of(controls.begin(), controls.end(), [](const auto& c) {
        return c.kind == ControlKind::DefButton;
    });
    QButtonGroup* radios = nullptr;
    for (const ControlTemplate& c : controls) {
        QWidget* widget = MakeWidget(c, hasDefault, radios);
        grid->addWidget(widget, c.row, c.column, 1, std::max(1, c.columnSpan));
        // Controls a template starts hidden are shown later by the dialog's own code.
        if (c.hidden) widget->hide();
        controls_.push_back({c.kind, c.id, widget});
        Wire(controls_.back());
    }
}

// The widget of one control. Radio buttons that follow each other form one group (radios, the
// group open so far); a label or a group box ends it.
QWidget* Dialog::MakeWidget(const ControlTemplate& c, bool hasDefault, QButtonGroup*& radios) {
    QString text = FromResourceText(c.text);
    if (text.isEmpty() && c.textId != 0) text = ResourceString(c.textId);
    QWidget* widget = nullptr;
    switch (c.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(text, this);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            radios = nullptr;
            break;
        }
        case ControlKind::Edit:
            widget = new QLineEdit(text, this);
            break;
        case ControlKind::MultiEdit: {
            auto* edit = new QPlainTextEdit(text, this);
            edit->setTabChangesFocus(true);
            widget = edit;
            break;
        }
        case ControlKind::Button:
        case ControlKind::DefButton: {
            auto* button = new QPushButton(text, this);
            const bool isDefault =
                c.kind == ControlKind::DefButton || (!hasDefault && c.id == kIdOk);
            button->setAutoDefault(isDefault);
            button->setDefault(isDefault);
            widget = button;
            break;
        }
        case ControlKind::CheckBox:
            widget = new QCheckBox(text, this);
            break;
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(text, this);
            if (!radios) {
                radios = new QButtonGroup(this);
                radioGroups_.push_back(radios);
            }
            radios->addButton(radio);
            widget = radio;
            break;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget(this);
            if (c.multiple) list->setSelectionMode(QAbstractItemView::MultiSelection);
            widget = list;
            break;
        }
        case ControlKind::ComboBox:
            widget = new QComboBox(this);
            break;
        case ControlKind::ScrollBar:
            widget = new QScrollBar(Qt::Horizontal, this);
            break;
        case ControlKind::GroupBox:
            widget = new QGroupBox(text, this);
            radios = nullptr;
            break;
    }
    return widget;
}

void Dialog::Wire(const Entry& entry) {
    const int id = entry.id;
    QWidget* w = entry.widget;
    if (IsButtonKind(entry.kind)) {
        connect(static_cast<QAbstractButton*>(w), &QAbstractButton::clicked, this,
                [this, id] { OnControl(id); });
        return;
    }
    switch (entry.kind) {
        case ControlKind::Edit:
            connect(static_cast<QLineEdit*>(w), &QLineEdit::textEdited, this,
                    [this, id] { OnNotify(id, Notification::TextChanged); });
            break;
        case ControlKind::MultiEdit:
            connect(static_cast<QPlainTextEdit*>(w), &QPlainTextEdit::textChanged, this,
                    [this, id] {
                        if (silent_ == 0) OnNotify(id, Notification::TextChanged);
                    });
            break;
        case ControlKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            if (list->selectionMode() == QAbstractItemView::MultiSelection) {
                connect(list, &QListWidget::itemSelectionChanged, this, [this, id] {
                    if (silent_ == 0) OnNotify(id, Notification::SelectionChanged);
                });
            } else {
                connect(list, &QListWidget::currentRowChanged, this, [this, id] {
                    if (silent_ == 0) OnNotify(id, Notification::SelectionChanged);
                });
            }
            connect(list, &QListWidget::itemDoubleClicked, this,
                    [this, id] { OnNotify(id, Notification::DoubleClicked); });
            break;
        }
        case ControlKind::ComboBox:
            connect(static_cast<QComboBox*>(w), &QComboBox::activated, this,
                    [this, id] { OnNotify(id, Notification::SelectionChanged); });
            break;
        case ControlKind::ScrollBar:
            connect(static_cast<QScrollBar*>(w), &QScrollBar::valueChanged, this, [this, id] {
                if (silent_ == 0) OnNotify(id, Notification::Scrolled);
            });
            break;
        default:
            break;
    }
}

void Dialog::Create() {
    Build();
    if (setUp_) return;
    setUp_ = true;
    SetupWindow();
    FitCaption();
}

int CaptionWidth(const QWidget& window) {
    QFont bold = window.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return metrics.horizontalAdvance(window.windowTitle()) + 6 * (metrics.height() + 8);
}

void Dialog::FitCaption() {
    // Window managers cut a caption wider than the title bar: "zero-vector tolerance" over a
    // one-line input box showed as "zero-... rance".
    const int deficit = CaptionWidth(*this) - sizeHint().width();
    auto* grid = qobject_cast<QGridLayout*>(layout());
    if (deficit <= 0 || !grid || grid->columnCount() < 1) return;
    // The last column takes what is missing; its width is known once the grid is laid out.
    grid->activate();
    const int last = grid->columnCount() - 1;
    grid->setColumnMinimumWidth(last, grid->cellRect(0, last).width() + deficit);
}

int Dialog::Execute() {
    ended_ = false;
    result_ = 0;
    Create();
    if (const Runner& runner = CurrentRunner()) {
        Runner keep = runner;  // the hook may replace the runner while it runs
        return keep(*this);
    }
    hidden_ = false;
    modalRun_ = true;
    const int code = exec();
    modalRun_ = false;
    return ended_ ? result_ : code;
}

void Dialog::ShowDialog() {
    Create();
    ended_ = false;
    result_ = 0;
    hidden_ = false;
    show();
    raise();
}

void Dialog::HideDialog() {
    hidden_ = true;
    hide();
}

void Dialog::CloseWindow(int result) {
    result_ = result;
    ended_ = true;
    hidden_ = true;
    done(result);
}

int Dialog::Press(int id) {
    const Entry* entry = Find(id, {ControlKind::Button, ControlKind::DefButton,
                                   ControlKind::CheckBox, ControlKind::Radio});
    if (entry) {
        static_cast<QAbstractButton*>(entry->widget)->click();  // nothing when disabled
    } else {
        OnControl(id);
    }
    return result_;
}

const Dialog::Entry* Dialog::Find(int id, std::initializer_list<ControlKind> kinds) const {
    for (ControlKind kind : kinds) {
        for (const Entry& e : controls_) {
            if (e.id == id && e.kind == kind) return &e;
        }
    }
    return nullptr;
}

const Dialog::Entry* Dialog::FindAny(int id) const {
    for (const Entry& e : controls_) {
        if (e.id == id) return &e;
    }
    return nullptr;
}

QWidget* Dialog::Control(int id) const {
    const Entry* e = FindAny(id);
    return e ? e->widget : nullptr;
}

QWidget* Dialog::Control(int id, ControlKind kind) const {
    const Entry* e = Find(id, {kind});
    return e ? e->widget : nullptr;
}

namespace {

constexpr std::initializer_list<ControlKind> kTextKinds = {
    ControlKind::Edit,     ControlKind::MultiEdit, ControlKind::ComboBox,
    ControlKind::Static,   ControlKind::Button,    ControlKind::DefButton,
    ControlKind::CheckBox, ControlKind::Radio,     ControlKind::GroupBox};

}  // namespace

QString Dialog::GetText(int id) const {
    for (ControlKind kind : kTextKinds) {
        if (Find(id, {kind})) return GetText(id, kind);
    }
    return {};
}

QString Dialog::GetText(int id, ControlKind kind) const {
    const Entry* e = Find(id, {kind});
    if (!e) return {};
    switch (kind) {
        case ControlKind::Edit:
            return static_cast<QLineEdit*>(e->widget)->text();
        case ControlKind::MultiEdit:
            return static_cast<QPlainTextEdit*>(e->widget)->toPlainText();
        case ControlKind::ComboBox:
            return static_cast<QComboBox*>(e->widget)->currentText();
        case ControlKind::Static:
            return static_cast<QLabel*>(e->widget)->text();
        case ControlKind::GroupBox:
            return static_cast<QGroupBox*>(e->widget)->title();
        case ControlKind::Button:
        case ControlKind::DefButton:
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            return static_cast<QAbstractButton*>(e->widget)->text();
        default:
            return {};
    }
}

void Dialog::SetText(int id, const QString& text) {
    for (ControlKind kind : kTextKinds) {
        if (Find(id, {kind})) {
            SetText(id, kind, text);
            return;
        }
    }
}

void Dialog::SetText(int id, ControlKind kind, const QString& text) {
    const Entry* e = Find(id, {kind});
    if (!e) return;
    Silence quiet(silent_);
    switch (kind) {
        case ControlKind::Edit: {
            auto* edit = static_cast<QLineEdit*>(e->widget);
            edit->setText(text);
            // A number longer than the field shows its sign and first digits, not its tail
            // ("3976311336717428" of -2.4153976311336717428); the field being typed in keeps
            // its caret at the end.
            if (!edit->hasFocus()) edit->setCursorPosition(0);
            break;
        }
        case ControlKind::MultiEdit:
            static_cast<QPlainTextEdit*>(e->widget)->setPlainText(text);
            break;
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(e->widget);
            const int index = combo->findText(text);
            if (index >= 0) combo->setCurrentIndex(index);
            break;
        }
        case ControlKind::Static:
            static_cast<QLabel*>(e->widget)->setText(text);
            break;
        case ControlKind::GroupBox:
            static_cast<QGroupBox*>(e->widget)->setTitle(text);
            break;
        case ControlKind::Button:
        case ControlKind::DefButton:
        case ControlKind::CheckBox:
        case ControlKind::Radio:
            static_cast<QAbstractButton*>(e->widget)->setText(text);
            break;
        default:
            break;
    }
}

void Dialog::SetMaxLength(int id, int maxLength) {
    if (const Entry* e = Find(id, {ControlKind::Edit})) {
        static_cast<QLineEdit*>(e->widget)->setMaxLength(std::max(0, maxLength));
    }
}

void Dialog::FocusControl(int id, bool selectAll) {
    const Entry* e = FindAny(id);
    if (!e) return;
    e->widget->setFocus();
    if (!selectAll) return;
    if (auto* edit = qobject_cast<QLineEdit*>(e->widget)) edit->selectAll();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(e->widget)) edit->selectAll();
}

bool Dialog::IsChecked(int id) const {
    const Entry* e = Find(id, {ControlKind::CheckBox, ControlKind::Radio});
    return e && static_cast<QAbstractButton*>(e->widget)->isChecked();
}

void Dialog::SetChecked(int id, bool checked) {
    const Entry* e = Find(id, {ControlKind::CheckBox, ControlKind::Radio});
    if (!e) return;
    auto* button = static_cast<QAbstractButton*>(e->widget);
    QButtonGroup* group = button->group();
    // An exclusive group would refuse to clear its checked radio.
    if (group && !checked) group->setExclusive(false);
    button->setChecked(checked);
    if (group && !checked) group->setExclusive(true);
}

void Dialog::ShowControl(int id, bool show) {
    for (const Entry& e : controls_) {
        if (e.id == id) e.widget->setVisible(show);
    }
}

void Dialog::EnableControl(int id, bool enable) {
    for (const Entry& e : controls_) {
        if (e.id == id) e.widget->setEnabled(enable);
    }
}

bool Dialog::IsControlShown(int id) const {
    const Entry* e = FindAny(id);
    return e && !e->widget->isHidden();
}

bool Dialog::IsControlEnabled(int id) const {
    const Entry* e = FindAny(id);
    return e && e->widget->isEnabled();
}

void Dialog::ClearList(int id) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        static_cast<QListWidget*>(e->widget)->clear();
    } else if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        static_cast<QComboBox*>(c->widget)->clear();
    }
}

int Dialog::AddString(int id, const QString& text) {
    const int index = ItemCount(id);
    InsertString(id, index, text);
    return ItemCount(id) > index ? index : -1;
}

void Dialog::InsertString(int id, int index, const QString& text) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        static_cast<QListWidget*>(e->widget)->insertItem(index, text);
    } else if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        static_cast<QComboBox*>(c->widget)->insertItem(index, text);
    }
}

void Dialog::DeleteString(int id, int index) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        delete static_cast<QListWidget*>(e->widget)->takeItem(index);
    } else if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        static_cast<QComboBox*>(c->widget)->removeItem(index);
    }
}

int Dialog::ItemCount(int id) const {
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        return static_cast<QListWidget*>(e->widget)->count();
    }
    if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        return static_cast<QComboBox*>(c->widget)->count();
    }
    return 0;
}

QString Dialog::ItemText(int id, int index) const {
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        const QListWidgetItem* item = static_cast<QListWidget*>(e->widget)->item(index);
        return item ? item->text() : QString();
    }
    if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        return static_cast<QComboBox*>(c->widget)->itemText(index);
    }
    return {};
}

int Dialog::SelectedIndex(int id) const {
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        auto* list = static_cast<QListWidget*>(e->widget);
        const QListWidgetItem* item = list->currentItem();
        return item && item->isSelected() ? list->row(item) : -1;
    }
    if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        return static_cast<QComboBox*>(c->widget)->currentIndex();
    }
    return -1;
}

void Dialog::SetSelectedIndex(int id, int index) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        auto* list = static_cast<QListWidget*>(e->widget);
        if (index < 0 || index >= list->count()) {
            list->clearSelection();
            list->setCurrentRow(-1);
        } else if (list->selectionMode() == QAbstractItemView::MultiSelection) {
            // Only this line selected, as in a list of one selection.
            list->clearSelection();
            list->item(index)->setSelected(true);
            list->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        } else {
            list->setCurrentRow(index);
        }
    } else if (const Entry* c = Find(id, {ControlKind::ComboBox})) {
        auto* combo = static_cast<QComboBox*>(c->widget);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
    }
}

int Dialog::SelectionCount(int id) const {
    return static_cast<int>(SelectedLines(id).size());
}

std::vector<int> Dialog::SelectedLines(int id) const {
    std::vector<int> lines;
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        const auto* list = static_cast<QListWidget*>(e->widget);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected()) lines.push_back(i);
    } else if (const int index = SelectedIndex(id); index >= 0) {
        lines.push_back(index);
    }
    return lines;
}

void Dialog::SetLineSelected(int id, int index, bool selected) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ListBox})) {
        auto* list = static_cast<QListWidget*>(e->widget);
        if (QListWidgetItem* item = list->item(index)) item->setSelected(selected);
    }
}

void Dialog::SetControlFont(int id, const QFont& font) {
    for (const Entry& e : controls_) {
        if (e.id == id) e.widget->setFont(font);
    }
}

void Dialog::SetScrollRange(int id, int minimum, int maximum) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ScrollBar})) {
        static_cast<QScrollBar*>(e->widget)->setRange(minimum, std::max(minimum, maximum));
    }
}

void Dialog::SetScrollPosition(int id, int position) {
    Silence quiet(silent_);
    if (const Entry* e = Find(id, {ControlKind::ScrollBar})) {
        static_cast<QScrollBar*>(e->widget)->setValue(position);
    }
}

int Dialog::ScrollPosition(int id) const {
    const Entry* e = Find(id, {ControlKind::ScrollBar});
    return e ? static_cast<QScrollBar*>(e->widget)->value() : 0;
}

void Dialog::SetScrollPageStep(int id, int step) {
    if (const Entry* e = Find(id, {ControlKind::ScrollBar})) {
        static_cast<QScrollBar*>(e->widget)->setPageStep(std::max(1, step));
    }
}

void Dialog::SetupWindow() {
    QPoint position;
    if (RememberedPosition(name_, &position)) {
        PlaceAt(position);
        return;
    }
    // A random place near the top left of the parent's window (or of the screen).
    QRect base;
    if (parentWidget()) base = parentWidget()->window()->geometry();
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (base.isEmpty()) base = available;
    const int dx = 30 + RandomInt() % 200;
    const int dy = 30 + RandomInt() % 150;
    const QSize size = sizeHint();
    const int x = std::clamp(base.left() + dx, available.left(),
                             std::max(available.left(), available.right() - size.width()));
    const int y = std::clamp(base.top() + dy, available.top(),
                             std::max(available.top(), available.bottom() - size.height()));
    move(x, y);
}

void Dialog::OnControl(int id) {
    if (id == kIdOk) {
        if (CanClose()) CloseWindow(kIdOk);
    } else if (id == kIdCancel) {
        CloseWindow(kIdCancel);
    }
}

void Dialog::OnNotify(int, Notification) {}

QPoint Dialog::Place() const {
    return geometry().topLeft();
}

void Dialog::PlaceAt(QPoint place) {
    // The grid's fixed-size constraint gives the dialog its size when it shows.
    setGeometry(QRect(place, isVisible() ? size() : sizeHint()));
}

void Dialog::ForgetPositions() {
    Positions().clear();
}

bool Dialog::RememberedPosition(std::string_view name, QPoint* position) {
    auto it = Positions().find(name);
    if (it == Positions().end()) return false;
    if (position) *position = it->second;
    return true;
}

void Dialog::SetRunner(Runner runner) {
    CurrentRunner() = std::move(runner);
}

bool Dialog::HasRunner() {
    return static_cast<bool>(CurrentRunner());
}

void Dialog::reject() {
    OnControl(kIdCancel);
}

void Dialog::accept() {
    OnControl(kIdOk);
}

void Dialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // As a dialog manager does: the focus goes to the first control that takes it, and an edit
    // that gets it this way has its text selected, so that typing replaces what was offered.
    QWidget* target = focusWidget();
    if (!target) {
        for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
            if (w->isVisibleTo(this) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                target = w;
                break;
            }
        }
        if (!target) return;
        target->setFocus(Qt::TabFocusReason);
    }
    if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->selectAll();
}

void Dialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && !name_.empty()) Positions()[name_] = Place();
    QDialog::hideEvent(event);
}

ScopedDialogRunner::ScopedDialogRunner(Dialog::Runner runner)
    : previous_(std::exchange(CurrentRunner(), std::move(runner))) {}

ScopedDialogRunner::~ScopedDialogRunner() {
    CurrentRunner() = std::move(previous_);
}

}  // namespace quorlin::platform
