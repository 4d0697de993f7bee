#include "SignalChange.h"

#include "Vocabulary.h"

ChangeRefusal ApplyChange(const CSignalDescription& signal, const SignalChange& change,
                          CSignalDescription& changed, SignalProblem& problem) {
    problem = SignalProblem::None;
    changed = signal;
    switch (change.field) {
    case SignalChangeField::Decoder:
        changed.m_nMode = change.mode;
        changed.m_nUnknownMode = 0;
        changed.m_nCodecheckCounter = change.mode != 0 ? change.count : 0;
        break;
    case SignalChangeField::Codecheck:
        if (signal.m_nMode == 0)
            return ChangeRefusal::NoDecoder;
        changed.m_nCodecheckCounter = change.count;
        break;
    case SignalChangeField::ITU:
        changed.m_szITU.Assign(change.text);
        break;
    case SignalChangeField::Comment:
        changed.m_szComment.Assign(change.text);
        break;
    case SignalChangeField::Disabled:
        changed.m_bDisabled = change.disabled;
        break;
    case SignalChangeField::Baudrate:
    case SignalChangeField::Bandwidth:
        if (signal.m_nModulation == ModulationCw || signal.m_nModulation == ModulationNone)
            return ChangeRefusal::NoSuchField;
        (change.field == SignalChangeField::Baudrate ? changed.m_dBaudrate : changed.m_dBandwidth) =
            change.value;
        break;
    }
    problem = changed.Recheck(false);
    if (problem != SignalProblem::None)
        return ChangeRefusal::Invalid;
    return ChangeRefusal::None;
}
