# Grid routines that work on the form: column set-up and widths, totals, price lists
target_sources(qvtrnsfr PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/GridSetup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Totals.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PriceList.cpp
)
