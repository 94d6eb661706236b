#pragma once

#include <QObject>

#include <functional>

class QDialog;
class QWidget;

// A dialog made on request that deletes itself when closed, at most one at a time,
// with its form object beside it. Every connection it makes has the guard as its
// context, so a dialog that outlives the guard (the window's children go after the
// window's members) reaches nobody. A late destroyed() of an older dialog, closed
// but not yet deleted when a newer one opened, changes nothing.
class DialogGuard : public QObject
{
public:
    // Set by create(); cleared by release(), when the dialog goes, or at once by an
    // owner that closes the dialog and lets a new one open before it is deleted.
    bool open = false;
    QDialog* dialog = nullptr; // the current dialog; null once it is destroyed or released

    // Forgets the current dialog and deletes its form; safe to call again.
    void release();
    // Brings the open dialog to the front; false when there is none.
    bool bringToFront();

protected:
    QDialog* makeDialog(QWidget* parent, std::function<void()> ended);
    virtual void dropForm() = 0;
};

template <class Form> class GuardedDialog : public DialogGuard
{
public:
    Form* form = nullptr;

    ~GuardedDialog() override { dropForm(); }

    // Makes the dialog (parent `parent`, deleted on close) with the form built on it;
    // null while one is open. `ended` runs when this dialog is destroyed, then the
    // guard releases it.
    QDialog* create(QWidget* parent, std::function<void()> ended = {})
    {
        if (open)
            return nullptr;
        dropForm(); // left by an older dialog that is still on its way out
        QDialog* made = makeDialog(parent, std::move(ended));
        form = new Form;
        deleteForm = [](Form* f) { delete f; }; // here Form is a complete type
        form->setupUi(made);
        return made;
    }

private:
    void dropForm() override
    {
        if (form)
            deleteForm(form);
        form = nullptr;
    }
    void (*deleteForm)(Form*) = nullptr;
};
