#pragma once
#include <QFlags>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class DataSource;
class Dataset;
class Prompts;
class QToolButton;

enum class NavButton {
    First = 0x1,
    Prior = 0x2,
    Next = 0x4,
    Last = 0x8,
    Insert = 0x10,
    Delete = 0x20,
    Edit = 0x40,
    Post = 0x80,
    Cancel = 0x100,
    Refresh = 0x200,
};
Q_DECLARE_FLAGS(NavButtons, NavButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(NavButtons)

namespace Nav {
inline constexpr NavButtons Browse = NavButton::First | NavButton::Prior | NavButton::Next | NavButton::Last;
inline constexpr NavButtons Editing = NavButton::Insert | NavButton::Delete | NavButton::Edit | NavButton::Post
                                      | NavButton::Cancel;
inline constexpr NavButtons All = Browse | Editing | NavButton::Refresh;
} // namespace Nav

// Puts the focus in the first control of the window (in tab order) that the user can type into
// over the data source: where a new record starts.
void fuocoSulPrimoCampo(QWidget* finestra, const DataSource* src);

// A row of buttons that move through a data source's records and edit them. The buttons are
// enabled as the state allows: first and prior not at the beginning, next and last not at the
// end, edit and delete not on an empty set, post and cancel only while editing or inserting,
// none while the dataset is closed. Before an action the changes still held by the controls of
// the data source are written. An Abort from an action or a hook cancels it quietly; any other
// error is shown in the standard error box and the record stays as it was. After an insert the
// focus goes to the new record's first field.
class DbNavigator : public QWidget
{
    Q_OBJECT
public:
    // The hints of the ten buttons in their order, as most screens give them.
    static inline const QStringList hintsStandard = {
        QStringLiteral("Inizio archivio"), QStringLiteral("Indietro"), QStringLiteral("Avanti"),
        QStringLiteral("Fine archivio"),   QStringLiteral("Inserisce"), QStringLiteral("Elimina"),
        QStringLiteral("Modifica"),        QStringLiteral("Registra"),  QStringLiteral("Annulla"),
        QStringLiteral("Aggiorna")};
    // The question the delete button asks unless told otherwise.
    static inline const QString standardDeleteQuestion = QStringLiteral("Eliminare il record?");

    DbNavigator(DataSource* source, NavButtons buttons, Prompts& prompts, QWidget* parent = nullptr);

    DataSource* source() const { return src; }
    void setVisibleButtons(NavButtons buttons);
    NavButtons visibleButtons() const { return shown; }
    QToolButton* button(NavButton b) const;

    // Hints of the ten buttons in the order first, prior, next, last, insert, delete, edit, post,
    // cancel, refresh, whichever of them are shown; missing ones stay without a hint.
    void setHints(const QStringList& hints);
    void setHint(NavButton b, const QString& hint);

    // The OK/Cancel question asked before deleting; an empty text deletes without asking.
    void setDeleteQuestion(const QString& question) { deleteText = question; }
    QString deleteQuestion() const { return deleteText; }

    // Run around each button's action. beforeAction may refuse the action by throwing Abort;
    // afterAction runs only when the action was carried out; actionFinished always runs last
    // (to take back marks set in beforeAction).
    std::function<void(NavButton)> beforeAction;
    std::function<void(NavButton)> afterAction;
    std::function<void(NavButton)> actionFinished;

    // Carries out a button's action as a click would, enabled or not; true when it went through.
    bool click(NavButton b);
    // Enables the buttons as the data source's state and position allow.
    void updateButtons();

Q_SIGNALS:
    // After a button's action was carried out.
    void clicked(NavButton b);

private:
    void act(NavButton b, Dataset& ds);

    QPointer<DataSource> src;
    Prompts& prompts;
    NavButtons shown;
    std::array<QToolButton*, 10> buttons{};
    QString deleteText = standardDeleteQuestion;
};
