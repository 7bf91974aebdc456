# Files of the documents layer
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DeleteDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DocumentEvents.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoadDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PrintVoucher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveHeader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SaveLines.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ValidateDocument.cpp
    ${CMAKE_CURRENT_LIST_DIR}/modDBID.cpp
)
