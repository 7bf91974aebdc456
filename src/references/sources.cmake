# Files of the references layer
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/Locations.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReferenceEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Requisition.cpp
)
