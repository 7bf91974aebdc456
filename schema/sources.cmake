# The host schema: DDL files (embedded as resources) and createHostSchema
target_sources(qvtrnsfr PRIVATE
)
