// What the lobby says of a socket the system refused: the data set's French words for each kind
// of refusal, with the port where it is about one.
#include "framework/textmngr/text_manager.h"
#include "multiplayer/net_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace q71 {
namespace {

class NetErrorText : public ::testing::Test {
protected:
    NetErrorText() {
        textClose();
        EXPECT_EQ(textOpen(), 1);
    }
    ~NetErrorText() override { textClose(); }
};

TEST_F(NetErrorText, EachRefusalIsSaidInTheDataSetsWords) {
    EXPECT_EQ(netErrorSaid({"bind", EADDRINUSE, 47110}),
              "le port 47110 est d\xE9j\xE0 pris par un autre programme.");
    // The same refusal of a bind means a privileged port, of a connect a network kept closed.
    EXPECT_EQ(netErrorSaid({"bind", EACCES, 80}), "le port 80 est r\xE9serv\xE9 au syst\xE8me.");
    EXPECT_EQ(netErrorSaid({"connect", EACCES, 47110}), "le syst\xE8me refuse l'acc\xE8s au r\xE9seau.");
    for (int unreachable : {ENETUNREACH, EHOSTUNREACH, ENETDOWN, EADDRNOTAVAIL})
        EXPECT_EQ(netErrorSaid({"connect", unreachable, 47110}),
                  "aucune route du r\xE9seau ne m\xE8ne \xE0 cette adresse.")
            << unreachable;
    for (int silent : {ECONNREFUSED, ETIMEDOUT})
        EXPECT_EQ(netErrorSaid({"connect", silent, 47110}), "aucune partie n'y r\xE9pond.") << silent;
    for (int exhausted : {EMFILE, ENFILE, ENOBUFS, ENOMEM})
        EXPECT_EQ(netErrorSaid({"socket", exhausted, 0}),
                  "le syst\xE8me ne peut ouvrir une connexion de plus.")
            << exhausted;
    EXPECT_EQ(netErrorSaid({"socket", EAFNOSUPPORT, 0}),
              "erreur du syst\xE8me n\xB0 " + std::to_string(EAFNOSUPPORT) + ".");
}

} // namespace
} // namespace q71
