#pragma once
// The login: the player types a name, or picks one from the roster of players, and validates;
// the player's record is then chosen (made for a new name) and the program goes on to the main
// menu. A roster or a campaign that cannot be read is said plainly and the login stays.

#include "frontend/front_end_screen.h"
#include "frontend/login/name_field.h"
#include "frontend/login/roster_list.h"

#include <memory>

namespace q71 {

class SimpleButton;

class LoginScreen : public FrontEndScreen {
public:
    explicit LoginScreen(WindowHandle parent);
    ~LoginScreen() override;

    /// Loads the picture, makes the widgets and reads the roster.
    void open() override;
    void close() override;
    int onCommand(WParam wParam, LParam lParam) override;
    /// Typing goes to the name field; Enter validates; the arrows move through the roster.
    int onKey(int key, int category) override;

    /// Chooses the player named in the field and enters the main menu; false (after saying why)
    /// when no player could be chosen.
    bool logIn();

    NameField* nameField() const { return name_.get(); }
    RosterList* rosterList() const { return roster_.get(); }

private:
    /// The number of the player of that name in the roster (the selected one first), 0 for a new name.
    int numberFor(const std::string& name) const;
    void showMessage(int textId);

    std::unique_ptr<NameField> name_;
    std::unique_ptr<RosterList> roster_;
    std::unique_ptr<SimpleButton> validate_;
    std::unique_ptr<SimpleButton> quit_;
};

} // namespace q71
