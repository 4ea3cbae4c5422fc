#!/usr/bin/env python3
"""Checks the one JSON document on standard input against the schema named by the argument.
Exit status 0 when it is valid; otherwise the problems on standard output and status 1."""
import json
import sys

import jsonschema


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        schema = json.load(f)
    validator_class = jsonschema.validators.validator_for(schema)
    validator_class.check_schema(schema)
    # Bare NaN or Infinity tokens are no JSON: refuse them instead of Python's lenient reading.
    def refuse(token):
        raise ValueError("not JSON: " + token)
    document = json.loads(sys.stdin.buffer.read().decode("utf-8"), parse_constant=refuse)
    error = jsonschema.exceptions.best_match(validator_class(schema).iter_errors(document))
    if error is None:
        return 0
    where = "/".join(str(p) for p in error.absolute_path)
    print(f"at /{where}: {error.message}")
    return 1


if __name__ == "__main__":
    sys.exit(main())
