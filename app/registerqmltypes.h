#ifndef REGISTERQMLTYPES_H
#define REGISTERQMLTYPES_H

// Publishes the program's objects to QML as the module "Ambrel" 1.0: the
// creatable types GlobalDataDef, ScheduleTaskData, TableModelDevData,
// TableModelAlarm, TableModelSelfTest and TreeModelShutdown; the singletons
// Translator, Alarm, Settings, DevComm, ServiceEMail and ServiceShutdown
// (the program's own objects, which no engine takes over) and
// PageSettingsCommon (made for, and owned by, each engine).
// Registers once; later calls do nothing.
void registerQmlTypes();

#endif // REGISTERQMLTYPES_H
