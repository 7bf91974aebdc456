target_sources(qvt_testsupport PRIVATE
)
