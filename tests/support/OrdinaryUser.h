#pragma once

// Acts as an ordinary user (nobody, 65534) while it lives when the tests run
// as root, whom no file permission stops; otherwise the tests' own user is
// ordinary already. Only the effective user changes: the groups stay.
class OrdinaryUser {
public:
    OrdinaryUser();
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    // False when root could not become another user.
    [[nodiscard]] bool Acting() const { return m_acting; }

private:
    bool m_wasRoot;
    bool m_acting;
};
