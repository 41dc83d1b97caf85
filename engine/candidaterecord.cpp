#include "candidaterecord.h"

#include "checkcodes.h"

namespace ZeltraLib {

int CandidateRecord::operation() const
{
    if (m_operation == OperationUnknown)
        m_operation = operationFromCandidateType(candidateType);
    return m_operation;
}

} // namespace ZeltraLib
