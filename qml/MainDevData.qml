import QtQuick 2.15

// Five views of the live readings, behind tabs; each view follows
// DevComm.devData by itself.
MainDevDataForm {
}
