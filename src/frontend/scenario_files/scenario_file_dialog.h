#pragma once
// The scenario file box (template 101): the player's own scenarios of one ending listed from his
// "Scenario" folder, two switches between ".scu" and ".scm", and the name field. Choosing a row
// puts its name in the field; a double click takes it. OK refuses a name no file may have and a
// scenario to open that is not there; a save asks before it replaces a file other than the open
// document's, or puts a scenario of a data-set name into the player's folder. A switch gives the
// name in the field its ending. A box that opens may also offer the data set's scenarios (".scn")
// behind a third switch. A box may also hold to its first ending (a network game plays ".scm"
// alone): the other switches are not shown.

#include "frontend/scenario_files/scenario_file_names.h"
#include "framework/widgets/dialog.h"

#include <string>
#include <vector>

namespace q71 {

class ScenarioFileDialog : public Dialog {
public:
    enum class Purpose { Open, Save };
    static constexpr int kTemplate = 101;
    static constexpr int kList = 1000, kName = 1001, kSingle = 1002, kNetwork = 1003, kDataSet = 1004;
    enum class DataSet { Hidden, Offered };
    enum class Switching { Allowed, Fixed };

    /// A box to open or save with a first ending and a first name (a file name or empty); a box
    /// that saves is given the open document's name, under which it saves without a question
    /// (a data set's ".scn" is offered with the checked ending, as a save writes it).
    /// Only a box that opens offers the data set's scenarios; a fixed box offers its first ending
    /// alone.
    ScenarioFileDialog(WindowHandle owner, Purpose purpose, ScenarioEnding ending, std::string name = {},
                       DataSet dataSet = DataSet::Hidden, Switching switching = Switching::Allowed);

    void onFirstShow() override;
    int onOk() override;
    int onCommand(WParam wParam, LParam lParam) override;

    /// The chosen file name, its ending included (once the box ended with OK).
    const std::string& fileName() const { return fileName_; }
    ScenarioEnding ending() const { return ending_; }

private:
    void fillList();
    void refuse(const std::string& text) const;

    int switchOf(ScenarioEnding ending) const;

    Purpose purpose_;
    bool offersDataSet_;
    bool fixed_;
    ScenarioEnding ending_;
    std::string firstName_;
    std::string fileName_;
    std::vector<std::string> rows_;
};

} // namespace q71
