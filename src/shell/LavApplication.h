#pragma once
#include <QApplication>

class Prompts;

// The application object. An error escaping an event handler stops the operation it belongs to
// and reaches the user in the standard error box; the program goes on. Abort is a quiet cancel.
class LavApplication : public QApplication
{
    Q_OBJECT
public:
    LavApplication(int& argc, char** argv);

    void setPrompts(Prompts* p) { prompts = p; }
    bool notify(QObject* receiver, QEvent* e) override;

private:
    Prompts* prompts = nullptr;
};
