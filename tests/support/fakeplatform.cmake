# The recording platform of fakeplatform.h needs the platform layer's interface.
target_link_libraries(ambreltestsupport PUBLIC ambrelplatform)
