#include "settings/RuleLineEdit.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>
#include <QValidator>

#include <algorithm>

// QLineEdit runs its validator on every change of its text, whatever made
// it, and takes the text the validator leaves; that makes it the one place
// where all edits can be put through the model.
class EditRouter final : public QValidator {
public:
    explicit EditRouter(RuleLineEdit& edit) : QValidator(&edit), m_edit(edit) {}
    State validate(QString& input, int& pos) const override {
        m_edit.routeEdit(input, pos);
        return Acceptable;
    }

private:
    RuleLineEdit& m_edit;
};

namespace {

QString modelText(const DialogModel& model, DialogControl field) {
    return QString::fromStdString(model.text(field));
}

std::vector<std::string> localFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

} // namespace

RuleLineEdit::RuleLineEdit(DialogModel& model, DialogControl field, EditGuard guard, QWidget* parent)
    : QLineEdit(parent), m_model(model), m_guard(std::move(guard)), m_field(field) {
    setText(modelText(model, field));
    setValidator(new EditRouter(*this));
}

void RuleLineEdit::showModelText() {
    if (m_routing)
        return; // the edit being routed takes the model's text when it ends
    const QString shown = modelText(m_model, m_field);
    if (text() != shown)
        setText(shown);
}

void RuleLineEdit::routeEdit(QString& input, int& pos) {
    const QString before = modelText(m_model, m_field);
    if (input == before)
        return;
    // The edit is what lies between the common start and the common end.
    const qsizetype shorter = std::min(before.size(), input.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == input[head])
        ++head;
    if (head > 0 && before[head - 1].isHighSurrogate())
        --head; // never split a character
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == input[input.size() - 1 - tail])
        ++tail;
    if (tail > 0 && before[before.size() - tail].isLowSurrogate())
        --tail;
    const qsizetype removed = before.size() - head - tail;
    const QByteArray inserted = input.mid(head, input.size() - head - tail).toUtf8();

    m_routing = true;
    m_guard([&] {
        m_model.userEdit(m_field, static_cast<std::size_t>(before.left(head).toUtf8().size()),
                         static_cast<std::size_t>(before.mid(head, removed).toUtf8().size()),
                         std::string_view(inserted.constData(), static_cast<std::size_t>(inserted.size())));
    });
    m_routing = false;

    const QString after = modelText(m_model, m_field);
    if (after == input)
        return; // taken as typed: the cursor stays where the edit left it
    // Where the kept insertion ends; a rule's replacement puts it at the end.
    const qsizetype cursor = head + after.size() - (before.size() - removed);
    pos = static_cast<int>(std::clamp<qsizetype>(cursor, 0, after.size()));
    input = after;
}

void RuleLineEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && !command) {
        const QList<uint> codes = typed.toUcs4();
        const bool printable = codes.size() == 1 && codes.front() >= 0x20 && codes.front() != 0x7F;
        if (printable && !DialogModel::keyAccepted(m_field, static_cast<char32_t>(codes.front()))) {
            event->accept(); // discarded: the field never sees it
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void RuleLineEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_fileDropHandler) {
        QLineEdit::dragEnterEvent(event);
        return;
    }
    if (!localFiles(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void RuleLineEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (!m_fileDropHandler) {
        QLineEdit::dragMoveEvent(event);
        return;
    }
    if (!localFiles(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void RuleLineEdit::dropEvent(QDropEvent* event) {
    if (!m_fileDropHandler) {
        QLineEdit::dropEvent(event);
        return;
    }
    const std::vector<std::string> paths = localFiles(event->mimeData());
    if (paths.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_fileDropHandler(paths);
}
