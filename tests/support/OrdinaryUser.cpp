#include "OrdinaryUser.h"

#include <unistd.h>

OrdinaryUser::OrdinaryUser()
    : m_wasRoot(geteuid() == 0)
{
    m_acting = !m_wasRoot || seteuid(65534) == 0;
}

OrdinaryUser::~OrdinaryUser()
{
    if (m_wasRoot && m_acting)
        (void)seteuid(0);
}
