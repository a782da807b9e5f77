# The mock systemd of systemdmock.h speaks D-Bus.
target_link_libraries(ambreltestsupport PUBLIC Qt5::DBus)
