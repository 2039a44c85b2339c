// The number syntax of numeric values.
