# The catalogues: no visible text outside them, the German one complete, the language followed
# at start and at run time. The second run takes the language from LANGUAGE, as a desktop sets it.
qvt_add_test(test_translations ${CMAKE_CURRENT_LIST_DIR}/TestTranslations.cpp)
target_compile_definitions(test_translations PRIVATE
    QVT_TRANSLATIONS_SOURCE_DIR="${PROJECT_SOURCE_DIR}/translations")
add_test(NAME test_translations_language COMMAND test_translations shouldLoadTheCatalogueOfTheUsersLanguage)
qvt_test_environment(test_translations_language)
set_tests_properties(test_translations_language PROPERTIES ENVIRONMENT_MODIFICATION "LANGUAGE=set:de")
